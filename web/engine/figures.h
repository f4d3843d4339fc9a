#pragma once

// The records of the figure stream the page replays: an operation and five numbers each.
// Colours are &H00BBGGRR, exact in a float.
namespace figures {

enum Op {
    DrawWidth = 1, // width
    DrawStyle,     // style
    FillStyle,     // style
    FillColor,     // colour
    Line,          // x1, y1, x2, y2, colour or -1 for ForeColor
    Circle,        // x, y, radius
};

} // namespace figures
