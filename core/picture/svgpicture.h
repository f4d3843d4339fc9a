#pragma once

#include "core/figures.h"
#include "core/picture/about.h"

#include <span>
#include <string>
#include <string_view>

// The teacher's picture: the drawing a run left, as SVG, from the figure stream the front ends
// keep. Its coordinates are the window's twips; it covers what the figures reach, and shows the
// figures as the front ends draw them, with the captions the run placed beside the plot.
namespace picture {

// A control as a front end shows it now: its text and its place, in twips. The picture takes
// from them only the captions a run shows, each in its control's font.
struct Shown {
    std::string_view control;
    std::string_view text;
    double left;
    double top;
};

// The figures' extent in twips, pens included, within the scene: left, top, width and height.
struct Extent {
    double left = 0, top = 0, width = 0, height = 0;
};
Extent extentOf(std::span<const figures::Record> records);

std::string svg(std::span<const figures::Record> records, std::span<const Shown> shown,
                const About &about);

} // namespace picture
