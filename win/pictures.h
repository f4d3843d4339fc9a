#pragma once

#include "core/window/layout.h"

#include <windows.h>

// The window's pictures, kept in the program as the GIFs they were drawn as and decoded with
// Windows' own imaging: a bitmap at the picture's natural size in logical pixels, at a DPI.
// Null where a picture cannot be decoded; the program runs without it.
HBITMAP pictureBitmap(layout::Picture picture, UINT dpi);
