#pragma once

#include "core/figures.h"
#include "core/form.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The teacher's picture as shapes, in the window's twips: what the figure stream draws, and the
// captions a run shows beside its plot. Every format is written from it, the engine's SVG and
// each front end's PNG, PDF, metafile or print, so that all of them show the same drawing.
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

// A pen: solid with round ends and joins, or, where dash is more than nought, dashes of that
// length with gaps as long, and flat ends.
struct Stroke {
    Colour colour = 0;
    double width = 0;
    double dash = 0;
};

struct Segment {
    float x1, y1, x2, y2;
};

// Lines in one pen, in the order they were drawn.
struct Lines {
    Stroke stroke;
    std::vector<Segment> segments;
};

// Lines across, one on every twip, as one filled rectangle with round corners.
struct Band {
    double left, top, width, height, corner;
    Colour fill;
};

// A circle with its rim, filled or not; or a disc all in one colour, which has no rim.
struct Disc {
    double x, y, radius;
    bool filled;
    Colour fill;
    bool rimmed;
    Stroke rim;
};

using Shape = std::variant<Lines, Band, Disc>;

// A caption on the window's background, with its text set on a baseline.
struct Caption {
    double left, top, width, height;
    double textX, baseline;
    double size; // the font's em, in twips
    bool bold;
    std::string text;
};

struct Drawing {
    Extent extent;        // what is shown
    double clipWidth = 0; // the canvas, from 0, 0: nothing is drawn past it
    double clipHeight = 0;
    std::vector<Shape> shapes;
    std::vector<Caption> captions;
};

// A picture for print, in twips a pixel: five pixels to each of the screen's, which is over 300
// dots an inch where the drawing fills a landscape A4 page.
inline constexpr double printTwipsPerPixel = 3;

Drawing drawingOf(std::span<const figures::Record> records, std::span<const Shown> shown);

// The font families of the design, its substitutes after it, as a style sheet lists them.
std::string fontFamilies();

} // namespace picture
