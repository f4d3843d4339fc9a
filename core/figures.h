#pragma once

#include "core/form.h"
#include "core/names.h"

#include <array>
#include <cstddef>

// The figure stream: what a handler draws, as records that every front end replays onto its
// own canvas. Each record is an operation and five numbers; colours are &H00BBGGRR, exact in a
// float.
namespace figures {

enum class Op {
    DrawWidth = 1, // value
    DrawStyle,     // value
    FillStyle,     // value
    FillColor,     // value
    Line,          // x1, y1, x2, y2, colour or foreColor
    Circle,        // x, y, radius
    // What follows paints over everything drawn before it, which need be kept no longer.
    Covered,
    // Lines across from x1 to x2, one on every twip from y1 down to y2, in one record: as the
    // wipe draws them, ten thousand in a row.
    Band, // x1, y1, x2, y2, colour or foreColor
};

// The names a front end knows the operations by.
inline constexpr std::array<Named<Op>, 8> opNames{{
    {Op::DrawWidth, "DrawWidth"},
    {Op::DrawStyle, "DrawStyle"},
    {Op::FillStyle, "FillStyle"},
    {Op::FillColor, "FillColor"},
    {Op::Line, "Line"},
    {Op::Circle, "Circle"},
    {Op::Covered, "Covered"},
    {Op::Band, "Band"},
}};

static_assert(namesInOrder(opNames, 1) && opNames.back().value == Op::Band,
              "every operation has one name, in the enum's order");

// Where a record keeps what: the operation first, then its numbers.
enum Field : std::size_t {
    OpField = 0,
    Value = 1, // of a drawing state operation
    X1 = 1,
    Y1 = 2,
    X2 = 3,
    Y2 = 4,
    ColourField = 5,
    X = 1, // of a circle
    Y = 2,
    Radius = 3,
};

// The colour of a line drawn in ForeColor.
inline constexpr float foreColor = -1;

using Record = std::array<float, 6>;
inline constexpr std::size_t recordSize = std::tuple_size_v<Record>;

constexpr Op opOf(const Record &record)
{
    return static_cast<Op>(static_cast<int>(record[OpField]));
}

} // namespace figures
