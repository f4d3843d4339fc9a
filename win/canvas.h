#pragma once

#include "core/figurestream.h"

#include <windows.h>

#include <span>

// The window's persistent drawing: a back buffer over the whole scene in device pixels, fed by
// the engine's figure stream and drawn with GDI. What is drawn reaches the buffer as it comes;
// the window copies the buffer out as it paints. At another DPI the buffer is made anew and the
// records the stream keeps are drawn again, crisp, rather than the old pixels stretched.
class Canvas
{
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    FigureStream &stream() { return stream_; }
    // The records that draw the scene as it stands, as the picture of it is written from.
    std::span<const figures::Record> kept() const { return stream_.kept(); }
    // Puts the figures not yet drawn into the buffer.
    void paintPending();
    // Makes the buffer for a DPI, with the scene drawn on it.
    void setDpi(UINT dpi);

    // The device rectangle drawn since the last call, and empties it.
    RECT takeDirty();
    // Copies part of the buffer to a window's device context.
    void copyTo(HDC target, const RECT &area) const;
    SIZE size() const { return size_; }

private:
    void paint(std::span<const figures::Record> records);
    void release();

    FigureStream stream_;
    DrawingState replayed_;
    UINT dpi_ = 0;
    SIZE size_{};
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    RECT dirty_{};
};
