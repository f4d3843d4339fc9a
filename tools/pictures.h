#pragma once

#include <QImage>

// The two pictures the window shows, drawn by the program itself.

// The canvas as the Start handler leaves it, drawn without a window and without pace waits.
QImage finishedScene(qreal devicePixelRatio = 1.0);

// The preview: the finished scene where the preview picture stands, on its own flat background.
QImage previewPicture();

// Two rainbow bands on lavender, the upper one shifted right.
QImage spectrumPicture();

// The icon: the hole and its fan of paths on a light-blue square. Rounded, as the desktop shows
// it; square to the edges, for a system that rounds it itself; or maskable, with the fan in the
// middle, for a system that cuts it to a shape of its own.
enum class IconShape { Rounded, Square, Maskable };
QImage iconPicture(int size, IconShape shape = IconShape::Rounded);
