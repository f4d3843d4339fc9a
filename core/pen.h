#pragma once

#include "core/form.h"

// The drawing state a window starts with, and how its pen draws: what every window that draws
// the figures must agree on, the desktop's canvas and the browser's alike.
struct DrawingState {
    int drawWidth = 1;
    DrawStyle drawStyle = DrawStyle::Solid;
    FillStyle fillStyle = FillStyle::Transparent;
    Colour fillColor = 0;
};

namespace pen {

// ForeColor is never set by the program: figures drawn without a colour, and circles' rims, are
// black.
inline constexpr Colour foreColor = 0;

// Only pens this many pixels wide or narrower draw styled lines; wider ones draw solid with round
// ends, as a classic GDI pen does.
inline constexpr int widestStyled = 1;

// A dotted line's dots, and the gaps between them, in pixels.
inline constexpr int dotLength = 3;

constexpr bool drawsDotted(const DrawingState &state)
{
    return state.drawStyle == DrawStyle::Dotted && state.drawWidth <= widestStyled;
}

// A pen never narrower than one pixel.
constexpr int widthOf(const DrawingState &state)
{
    return state.drawWidth > 1 ? state.drawWidth : 1;
}

// A solid pen half as wide as a circle's radius, or wider, covers the whole circle: it is drawn
// as one disc in the pen's colour, of the radius plus half the pen. Stroked, so small a circle
// would come out as a hollow ring at some scales.
constexpr bool coversCircle(const DrawingState &state, double radiusPixels)
{
    return state.drawStyle == DrawStyle::Solid && widthOf(state) / 2.0 >= radiusPixels;
}

} // namespace pen
