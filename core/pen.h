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

} // namespace pen
