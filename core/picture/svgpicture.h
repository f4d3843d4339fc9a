#pragma once

#include "core/picture/about.h"
#include "core/picture/drawing.h"

#include <span>
#include <string>

// The teacher's picture as SVG. Its coordinates are the window's twips; it covers what the
// figures reach, and shows the figures as the front ends draw them, with the captions the run
// placed beside the plot.
namespace picture {

std::string svg(const Drawing &drawing, const About &about);

inline std::string svg(std::span<const figures::Record> records, std::span<const Shown> shown,
                       const About &about)
{
    return svg(drawingOf(records, shown), about);
}

} // namespace picture
