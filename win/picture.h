#pragma once

#include "core/picture/about.h"
#include "core/picture/drawing.h"

#include <windows.h>

#include <string>

// The teacher's picture on Windows, drawn with GDI from the engine's shapes: an enhanced
// metafile, which Word and PowerPoint paste as a vector, and from it a bitmap at any size and a
// PNG at print resolution. Copy, save and print are what the window's menu and keys offer.
namespace winpicture {

// The drawing as a metafile whose units are the window's twips.
HENHMETAFILE metafile(const picture::Drawing &drawing, const picture::Said &said);

// The metafile played into a bitmap of that size, on white: 24 bits, bottom-up, as CF_DIB
// holds it. The header and the pixels, one after the other; empty where it failed.
std::string dib(HENHMETAFILE picture, SIZE size);

// The drawing as a PNG at print resolution, with what it says of itself; empty where Windows
// could not encode it.
std::string png(HENHMETAFILE picture, const picture::Drawing &drawing, const picture::About &about);

// Puts the metafile, a DIB at the screen's size and the PNG on the clipboard; false where the
// clipboard could not be had.
bool copy(HWND owner, const picture::Drawing &drawing, const picture::About &about);

// The common save dialog, for SVG, PNG and EMF; the file's name where it was saved, or empty
// where the user cancelled. A failure to write says why in `failure`.
std::wstring save(HWND owner, const picture::Drawing &drawing, const picture::About &about,
                  std::wstring &failure);

// The system's print dialog, then the drawing as large as the page lets it be, in landscape;
// false where printing failed, true where it printed or the user cancelled.
bool print(HWND owner, const picture::Drawing &drawing, const picture::About &about);

} // namespace winpicture
