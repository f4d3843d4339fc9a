#include "win/canvas.h"

#include "core/animation/scene.h"
#include "core/figurereplay.h"
#include "core/twips.h"
#include "win/dpi.h"

#include <algorithm>
#include <cmath>

namespace {

// Figures drawn into the buffer with GDI, each marking what it changed. Pens are made as the
// drawing state asks and kept while it stays: the wipe and the paths each draw thousands of
// lines in one pen.
class GdiPainter
{
public:
    GdiPainter(HDC dc, UINT dpi, RECT &dirty)
        : dc_(dc), scale_(devicePixelsPerTwip(dpi)), dirty_(dirty)
    {
        oldPen_ = SelectObject(dc_, GetStockObject(BLACK_PEN));
        oldBrush_ = SelectObject(dc_, GetStockObject(NULL_BRUSH));
    }
    ~GdiPainter()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        if (pen_)
            DeleteObject(pen_);
        if (brush_)
            DeleteObject(brush_);
    }
    GdiPainter(const GdiPainter &) = delete;
    GdiPainter &operator=(const GdiPainter &) = delete;

    void line(float x1, float y1, float x2, float y2, Colour colour, const DrawingState &state)
    {
        usePen(state, colour);
        const POINT from = at(x1, y1);
        const POINT to = at(x2, y2);
        if (penKey_.dotted && penKey_.width > 1) {
            dashes(x1 * scale_, y1 * scale_, x2 * scale_, y2 * scale_, state);
        } else {
            MoveToEx(dc_, from.x, from.y, nullptr);
            LineTo(dc_, to.x, to.y);
        }
        if (!pen::drawsDotted(state) && widthOf(state) <= 1)
            SetPixelV(dc_, to.x, to.y, colour); // a thin solid line ends on its last pixel
        mark(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
             std::max(from.y, to.y), widthOf(state));
    }

    void circle(float x, float y, float radius, const DrawingState &state)
    {
        const POINT centre = at(x, y);
        const double pixels = radius / twipsPerPixel;
        double outer = pixels * pixelScale();
        if (pen::coversCircle(state, pixels)) {
            outer = (pixels + pen::widthOf(state) / 2.0) * pixelScale();
            SelectObject(dc_, GetStockObject(NULL_PEN));
            useBrush(pen::foreColor);
        } else {
            usePen(state, pen::foreColor);
            if (state.fillStyle == FillStyle::Solid)
                useBrush(state.fillColor);
            else
                SelectObject(dc_, GetStockObject(NULL_BRUSH));
        }
        const int r = static_cast<int>(std::lround(outer));
        Ellipse(dc_, centre.x - r, centre.y - r, centre.x + r + 1, centre.y + r + 1);
        // The pen or brush just selected is kept; the next line selects its own again.
        penKey_ = {};
        mark(centre.x - r, centre.y - r, centre.x + r, centre.y + r, widthOf(state));
    }

private:
    // A pen wider than a pixel is dotted along the line, each dot and gap the engine's length
    // in the pen's widths from the line's start, however many pixels that comes to; GDI's
    // styles count whole units.
    void dashes(double x1, double y1, double x2, double y2, const DrawingState &state)
    {
        const double width = pen::widthOf(state) * pixelScale();
        const double dash = pen::dotLength * width;
        const double length = std::hypot(x2 - x1, y2 - y1);
        if (length == 0)
            return;
        const double dx = (x2 - x1) / length;
        const double dy = (y2 - y1) / length;
        for (double along = 0; along < length; along += 2 * dash) {
            const double end = std::min(along + dash, length);
            MoveToEx(dc_, static_cast<int>(std::floor(x1 + dx * along)),
                     static_cast<int>(std::floor(y1 + dy * along)), nullptr);
            LineTo(dc_, static_cast<int>(std::floor(x1 + dx * end)),
                   static_cast<int>(std::floor(y1 + dy * end)));
        }
    }

    struct PenKey {
        int width = -1;
        bool dotted = false;
        Colour colour = 0;
        bool operator==(const PenKey &) const = default;
    };

    double pixelScale() const { return scale_ * twipsPerPixel; }

    int widthOf(const DrawingState &state) const
    {
        return std::max(1, static_cast<int>(std::lround(pen::widthOf(state) * pixelScale())));
    }

    // The pixel a point falls in, as the other front ends place it.
    POINT at(float x, float y) const
    {
        return {static_cast<LONG>(std::floor(x * scale_)),
                static_cast<LONG>(std::floor(y * scale_))};
    }

    void usePen(const DrawingState &state, Colour colour)
    {
        const PenKey key{widthOf(state), pen::drawsDotted(state), colour};
        if (key == penKey_) {
            SelectObject(dc_, pen_);
            return;
        }
        LOGBRUSH brush{BS_SOLID, colour, 0};
        HPEN made = nullptr;
        if (key.dotted && key.width == 1) {
            // GDI's dotted pixel pen: three pixels on, three off, as the engine's dots.
            static_assert(pen::dotLength == 3);
            made = CreatePen(PS_DOT, 1, colour);
        } else if (key.dotted) {
            // Solid: dashes() lays the dots out itself.
            made = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT,
                                static_cast<DWORD>(key.width), &brush, 0, nullptr);
        } else if (key.width == 1) {
            made = CreatePen(PS_SOLID, 1, colour);
        } else {
            made = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                static_cast<DWORD>(key.width), &brush, 0, nullptr);
        }
        SelectObject(dc_, made);
        if (pen_)
            DeleteObject(pen_);
        pen_ = made;
        penKey_ = key;
    }

    void useBrush(Colour colour)
    {
        HBRUSH made = CreateSolidBrush(colour);
        SelectObject(dc_, made);
        if (brush_)
            DeleteObject(brush_);
        brush_ = made;
    }

    void mark(LONG left, LONG top, LONG right, LONG bottom, int width)
    {
        const LONG pad = width + 1;
        const RECT figure{left - pad, top - pad, right + pad + 1, bottom + pad + 1};
        UnionRect(&dirty_, &dirty_, &figure);
    }

    HDC dc_;
    double scale_; // device pixels per twip
    RECT &dirty_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
    HPEN pen_ = nullptr;
    PenKey penKey_;
    HBRUSH brush_ = nullptr;
};

} // namespace

Canvas::Canvas() = default;

Canvas::~Canvas()
{
    release();
}

void Canvas::release()
{
    if (!dc_)
        return;
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
}

void Canvas::setDpi(UINT dpi)
{
    if (dpi == dpi_ && dc_)
        return;
    release();
    dpi_ = dpi;
    size_ = {devicePixels(scene::largestPixelWidth * twipsPerPixel, dpi),
             devicePixels(scene::largestPixelHeight * twipsPerPixel, dpi)};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size_.cx;
    info.bmiHeader.biHeight = -size_.cy; // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    // Undrawn, the scene is the window's own background.
    const RECT all{0, 0, size_.cx, size_.cy};
    HBRUSH background = CreateSolidBrush(scene::background);
    FillRect(dc_, &all, background);
    DeleteObject(background);
    // The kept records draw the whole scene, those still pending among them.
    stream_.handedOver();
    replayed_ = DrawingState();
    paint(stream_.kept());
    dirty_ = all;
}

void Canvas::paint(std::span<const figures::Record> records)
{
    if (records.empty() || !dc_)
        return;
    GdiPainter painter(dc_, dpi_, dirty_);
    figures::replay(records, replayed_, painter);
}

void Canvas::paintPending()
{
    if (!stream_.hasPending())
        return;
    paint(stream_.pending());
    stream_.handedOver();
}

RECT Canvas::takeDirty()
{
    paintPending();
    // GDI may batch its drawing; the window copies finished pixels.
    GdiFlush();
    const RECT dirty = dirty_;
    SetRectEmpty(&dirty_);
    return dirty;
}

void Canvas::copyTo(HDC target, const RECT &area) const
{
    if (dc_)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
               area.left, area.top, SRCCOPY);
}
