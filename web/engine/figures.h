#pragma once

#include <array>

// The records of the figure stream the page replays: an operation and five numbers each.
// Colours are &H00BBGGRR, exact in a float.
namespace figures {

enum Op {
    DrawWidth = 1, // width
    DrawStyle,     // style
    FillStyle,     // style
    FillColor,     // colour
    Line,          // x1, y1, x2, y2, colour or foreColor
    Circle,        // x, y, radius
    // What follows paints over everything drawn before it, which the page need keep no longer.
    Covered,
    // Lines across from x1 to x2, one on every twip from y1 down to y2, in one record: as the
    // wipe draws them, ten thousand in a row.
    Band, // x1, y1, x2, y2, colour or foreColor
};

// The colour of a line drawn in ForeColor.
inline constexpr float foreColor = -1;

using Record = std::array<float, 6>;
inline constexpr int recordSize = static_cast<int>(std::tuple_size_v<Record>);

// The names the page knows the operations by.
inline constexpr std::array<const char *, 8> opNames{
    "DrawWidth", "DrawStyle", "FillStyle", "FillColor", "Line", "Circle", "Covered", "Band"};

} // namespace figures
