#pragma once

#include "core/figures.h"
#include "core/pen.h"

#include <span>

// Replays figure records onto a canvas of the front end's: it keeps the drawing state the
// records set, and hands the canvas each figure with the state it is drawn in. A band comes as
// the lines it stands for, so that it covers the same pixels as they would.
//
// The canvas has line(x1, y1, x2, y2, colour, state) and circle(x, y, radius, state), in twips.
namespace figures {

constexpr Colour colourOf(float recorded)
{
    return recorded == foreColor ? pen::foreColor : static_cast<Colour>(recorded);
}

template <typename Canvas>
void replay(std::span<const Record> records, DrawingState &state, Canvas &canvas)
{
    for (const Record &r : records) {
        switch (opOf(r)) {
        case Op::DrawWidth:
            state.drawWidth = static_cast<int>(r[Value]);
            break;
        case Op::DrawStyle:
            state.drawStyle = static_cast<DrawStyle>(static_cast<int>(r[Value]));
            break;
        case Op::FillStyle:
            state.fillStyle = static_cast<FillStyle>(static_cast<int>(r[Value]));
            break;
        case Op::FillColor:
            state.fillColor = static_cast<Colour>(r[Value]);
            break;
        case Op::Line:
            canvas.line(r[X1], r[Y1], r[X2], r[Y2], colourOf(r[ColourField]), state);
            break;
        case Op::Band: {
            // Its lines stand on whole twips, which a float holds exactly.
            const auto last = static_cast<long>(r[Y2]);
            for (auto y = static_cast<long>(r[Y1]); y <= last; ++y)
                canvas.line(r[X1], static_cast<float>(y), r[X2], static_cast<float>(y),
                            colourOf(r[ColourField]), state);
            break;
        }
        case Op::Circle:
            canvas.circle(r[X], r[Y], r[Radius], state);
            break;
        case Op::Covered:
            break;
        }
    }
}

} // namespace figures
