#include "core/picture/drawing.h"

#include "core/animation/scene.h"
#include "core/figurereplay.h"
#include "core/pen.h"
#include "core/twips.h"
#include "core/window/layout.h"

#include <algorithm>
#include <cmath>

namespace picture {
namespace {

using figures::Op;
using figures::Record;

// The canvas the scene is drawn on, in twips: the picture never reaches past it.
constexpr double canvasWidth = scene::pixelWidth * twipsPerPixel;
constexpr double canvasHeight = scene::pixelHeight * twipsPerPixel;

// A caption's line, as the design font and its substitutes set it: ascent and descent in ems.
constexpr double ascent = 0.905;
constexpr double descent = 0.212;
// Where a text box's text begins after its left edge: two pixels.
constexpr double textMargin = 2 * twipsPerPixel;
constexpr double twipsPerPoint = 20;

// A pen's width in twips.
double penWidth(const DrawingState &state)
{
    return pen::widthOf(state) * twipsPerPixel;
}

// The figures as shapes: solid lines in one pen go into one run of lines, each dotted line into
// one of its own with its own dashes, as the front ends lay them out.
class Shapes
{
public:
    void line(float x1, float y1, float x2, float y2, Colour c, const DrawingState &state)
    {
        const double width = penWidth(state);
        if (pen::drawsDotted(state)) {
            // Dots are laid out along the longer axis, pixel by pixel: on a slanting line they
            // stand further apart than their length along it.
            const double longer = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1.0F});
            const double dash = pen::dotLength * width * std::hypot(x2 - x1, y2 - y1) / longer;
            shapes_.emplace_back(Lines{{c, width, dash}, {{x1, y1, x2, y2}}});
            open_ = nullptr;
            return;
        }
        if (!open_ || open_->stroke.colour != c || open_->stroke.width != width)
            open_ = &std::get<Lines>(shapes_.emplace_back(Lines{{c, width, 0}, {}}));
        open_->segments.push_back({x1, y1, x2, y2});
    }

    // Solid lines across, one on every twip from y1 to y2: one band with round ends.
    void band(const Record &r, Colour c, const DrawingState &state)
    {
        const double half = penWidth(state) / 2;
        const double left = std::min(r[figures::X1], r[figures::X2]) - half;
        const double right = std::max(r[figures::X1], r[figures::X2]) + half;
        shapes_.emplace_back(Band{left, r[figures::Y1] - half, right - left,
                                  r[figures::Y2] - r[figures::Y1] + 2 * half, half, c});
        open_ = nullptr;
    }

    void circle(float x, float y, float radius, const DrawingState &state)
    {
        const double width = penWidth(state);
        // A pen this wide covers the whole circle: one disc in the pen's colour.
        if (pen::coversCircle(state, radius / twipsPerPixel))
            shapes_.emplace_back(Disc{x, y, radius + width / 2, true, pen::foreColor, false, {}});
        else
            shapes_.emplace_back(Disc{x,
                                      y,
                                      radius,
                                      state.fillStyle == FillStyle::Solid,
                                      state.fillColor,
                                      true,
                                      {pen::foreColor, width, 0}});
        open_ = nullptr;
    }

    std::vector<Shape> take() { return std::move(shapes_); }

private:
    std::vector<Shape> shapes_;
    Lines *open_ = nullptr; // the last shape, while a solid line may join it
};

std::vector<Shape> shapesOf(std::span<const Record> records)
{
    Shapes shapes;
    DrawingState state;
    for (const Record &r : records) {
        const Colour c = figures::colourOf(r[figures::ColourField]);
        switch (figures::opOf(r)) {
        case Op::Band:
            if (!pen::drawsDotted(state)) {
                shapes.band(r, c, state);
                break;
            }
            // A dotted pen draws each of its lines.
            figures::replay(std::span(&r, 1), state, shapes);
            break;
        default:
            figures::replay(std::span(&r, 1), state, shapes);
        }
    }
    return shapes.take();
}

const layout::Control *plotCaption(std::string_view name)
{
    for (const layout::Control &row : layout::controls)
        if (row.name == name)
            // The captions hidden as the window opens are those a run shows beside its plot.
            return row.style == layout::CaptionBox && !row.shown ? &row : nullptr;
    return nullptr;
}

std::vector<Caption> captionsOf(std::span<const Shown> shown)
{
    std::vector<Caption> captions;
    for (const Shown &each : shown) {
        const layout::Control *row = plotCaption(each.control);
        if (!row || each.text.empty())
            continue;
        const double points = row->font.points > 0 ? row->font.points : layout::defaultFontPoints;
        const double size = points * twipsPerPoint;
        // A text box sets its line in the middle of its height.
        const double baseline =
            each.top + (row->height - (ascent + descent) * size) / 2 + ascent * size;
        captions.push_back({each.left, each.top, double(row->width), double(row->height),
                            each.left + textMargin, baseline, size, row->font.bold,
                            std::string(each.text)});
    }
    return captions;
}

} // namespace

std::string fontFamilies()
{
    std::string families = std::string("'") + layout::fontFamily + "'";
    for (const char *substitute : layout::fontSubstitutes)
        families += std::string(", '") + substitute + "'";
    return families + ", sans-serif";
}

Extent extentOf(std::span<const Record> records)
{
    double left = canvasWidth, top = canvasHeight, right = 0, bottom = 0;
    const auto cover = [&](double x1, double y1, double x2, double y2) {
        left = std::min(left, x1);
        top = std::min(top, y1);
        right = std::max(right, x2);
        bottom = std::max(bottom, y2);
    };
    DrawingState state;
    for (const Record &r : records) {
        const double half = penWidth(state) / 2;
        switch (figures::opOf(r)) {
        case Op::Line:
        case Op::Band:
            cover(std::min(r[figures::X1], r[figures::X2]) - half,
                  std::min(r[figures::Y1], r[figures::Y2]) - half,
                  std::max(r[figures::X1], r[figures::X2]) + half,
                  std::max(r[figures::Y1], r[figures::Y2]) + half);
            break;
        case Op::Circle: {
            const double reach = r[figures::Radius] + half;
            cover(r[figures::X] - reach, r[figures::Y] - reach, r[figures::X] + reach,
                  r[figures::Y] + reach);
            break;
        }
        default: {
            struct None {
                void line(float, float, float, float, Colour, const DrawingState &) {}
                void circle(float, float, float, const DrawingState &) {}
            } none;
            figures::replay(std::span(&r, 1), state, none);
        }
        }
    }
    left = std::max(left, 0.0);
    top = std::max(top, 0.0);
    right = std::min(right, canvasWidth);
    bottom = std::min(bottom, canvasHeight);
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

Drawing drawingOf(std::span<const Record> records, std::span<const Shown> shown)
{
    return {extentOf(records), canvasWidth, canvasHeight, shapesOf(records), captionsOf(shown)};
}

} // namespace picture
