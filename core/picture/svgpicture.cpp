#include "core/picture/svgpicture.h"

#include "core/animation/scene.h"
#include "core/figurereplay.h"
#include "core/pen.h"
#include "core/twips.h"
#include "core/window/layout.h"
#include "core/xmltext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string colour(Colour c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
    return text;
}

// A pen's width in twips.
double penWidth(const DrawingState &state)
{
    return pen::widthOf(state) * twipsPerPixel;
}

// The figures as SVG elements: solid lines in one pen go into one path, each dotted line into
// a path of its own with its own dashes, as the front ends lay them out.
class Elements
{
public:
    void line(float x1, float y1, float x2, float y2, Colour c, const DrawingState &state)
    {
        const double width = penWidth(state);
        const std::string segment =
            "M" + number(x1) + " " + number(y1) + "L" + number(x2) + " " + number(y2);
        if (pen::drawsDotted(state)) {
            endPath();
            // Dots are laid out along the longer axis, pixel by pixel: on a slanting line they
            // stand further apart than their length along it.
            const double longer = std::max({std::abs(x2 - x1), std::abs(y2 - y1), 1.0F});
            const double dash = pen::dotLength * width * std::hypot(x2 - x1, y2 - y1) / longer;
            out_ += "<path d=\"" + segment + "\" stroke=\"" + colour(c) + "\" stroke-width=\"" +
                    number(width) + "\" stroke-dasharray=\"" + number(dash) + "\"/>\n";
            return;
        }
        if (!path_.empty() && (c != pathColour_ || width != pathWidth_))
            endPath();
        pathColour_ = c;
        pathWidth_ = width;
        path_ += segment;
    }

    // Solid lines across, one on every twip from y1 to y2: one band with round ends.
    void band(const Record &r, Colour c, const DrawingState &state)
    {
        endPath();
        const double half = penWidth(state) / 2;
        const double left = std::min(r[figures::X1], r[figures::X2]) - half;
        const double right = std::max(r[figures::X1], r[figures::X2]) + half;
        out_ += "<rect x=\"" + number(left) + "\" y=\"" + number(r[figures::Y1] - half) +
                "\" width=\"" + number(right - left) + "\" height=\"" +
                number(r[figures::Y2] - r[figures::Y1] + 2 * half) + "\" rx=\"" + number(half) +
                "\" fill=\"" + colour(c) + "\"/>\n";
    }

    void circle(float x, float y, float radius, const DrawingState &state)
    {
        endPath();
        const double width = penWidth(state);
        const std::string centre = "<circle cx=\"" + number(x) + "\" cy=\"" + number(y) + "\" r=\"";
        // A pen this wide covers the whole circle: one disc in the pen's colour.
        if (pen::coversCircle(state, radius / twipsPerPixel)) {
            out_ += centre + number(radius + width / 2) + "\" fill=\"" + colour(pen::foreColor) +
                    "\"/>\n";
            return;
        }
        const bool filled = state.fillStyle == FillStyle::Solid;
        out_ += centre + number(radius) + "\" fill=\"" +
                (filled ? colour(state.fillColor) : std::string("none")) + "\" stroke=\"" +
                colour(pen::foreColor) + "\" stroke-width=\"" + number(width) + "\"/>\n";
    }

    std::string take()
    {
        endPath();
        return std::move(out_);
    }

private:
    void endPath()
    {
        if (path_.empty())
            return;
        out_ += "<path d=\"" + path_ + "\" stroke=\"" + colour(pathColour_) + "\" stroke-width=\"" +
                number(pathWidth_) + "\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n";
        path_.clear();
    }

    std::string out_;
    std::string path_;
    Colour pathColour_ = 0;
    double pathWidth_ = 0;
};

// The records' figures, replayed into the elements; bands kept whole.
std::string elementsOf(std::span<const Record> records)
{
    Elements elements;
    DrawingState state;
    for (const Record &r : records) {
        const Colour c = figures::colourOf(r[figures::ColourField]);
        switch (figures::opOf(r)) {
        case Op::Band:
            if (!pen::drawsDotted(state)) {
                elements.band(r, c, state);
                break;
            }
            // A dotted pen draws each of its lines.
            figures::replay(std::span(&r, 1), state, elements);
            break;
        case Op::Line:
            elements.line(r[figures::X1], r[figures::Y1], r[figures::X2], r[figures::Y2], c, state);
            break;
        case Op::Circle:
            elements.circle(r[figures::X], r[figures::Y], r[figures::Radius], state);
            break;
        default:
            figures::replay(std::span(&r, 1), state, elements);
        }
    }
    return elements.take();
}

const layout::Control *plotCaption(std::string_view name)
{
    for (const layout::Control &row : layout::controls)
        if (row.name == name)
            // The captions hidden as the window opens are those a run shows beside its plot.
            return row.style == layout::CaptionBox && !row.shown ? &row : nullptr;
    return nullptr;
}

std::string fontFamilies()
{
    std::string families = std::string("'") + layout::fontFamily + "'";
    for (const char *substitute : layout::fontSubstitutes)
        families += std::string(", '") + substitute + "'";
    return families + ", sans-serif";
}

std::string captionsOf(std::span<const Shown> shown)
{
    std::string out;
    for (const Shown &each : shown) {
        const layout::Control *row = plotCaption(each.control);
        if (!row || each.text.empty())
            continue;
        const double points = row->font.points > 0 ? row->font.points : layout::defaultFontPoints;
        const double size = points * twipsPerPoint;
        // A text box sets its line in the middle of its height.
        const double baseline =
            each.top + (row->height - (ascent + descent) * size) / 2 + ascent * size;
        // On the window's background, as the box shows it over the drawing.
        out += "<rect x=\"" + number(each.left) + "\" y=\"" + number(each.top) + "\" width=\"" +
               number(row->width) + "\" height=\"" + number(row->height) + "\" fill=\"" +
               colour(layout::backColor) + "\"/>\n";
        out += "<text x=\"" + number(each.left + textMargin) + "\" y=\"" + number(baseline) +
               "\" font-size=\"" + number(size) + "\"" +
               (row->font.bold ? " font-weight=\"bold\"" : "") + ">" + escapedForXml(each.text) +
               "</text>\n";
    }
    return out;
}

} // namespace

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

std::string svg(std::span<const Record> records, std::span<const Shown> shown, const About &about)
{
    const Extent e = extentOf(records);
    const Said words = said(about);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" + number(e.left) +
           " " + number(e.top) + " " + number(e.width) + " " + number(e.height) + "\" width=\"" +
           number(e.width / twipsPerPixel) + "\" height=\"" + number(e.height / twipsPerPixel) +
           "\" xml:lang=\"" + words.language + "\">\n";
    out += "<title>" + escapedForXml(words.title) + "</title>\n";
    out += "<desc>" + escapedForXml(words.description) + "</desc>\n";
    out += "<metadata>\n<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" "
           "xmlns:halmira=\"https://www.halmira.example/picture#\">\n<rdf:Description "
           "dc:creator=\"" +
           escapedForXml(words.software) + "\" dc:language=\"" + words.language +
           "\" halmira:pace=\"" + escapedForXml(words.pace) + "\"/>\n</rdf:RDF>\n</metadata>\n";
    // Only the canvas: a pen's reach past its edge is cut off, as the window cuts it.
    out += "<clipPath id=\"canvas\"><rect width=\"" + number(canvasWidth) + "\" height=\"" +
           number(canvasHeight) + "\"/></clipPath>\n";
    out += "<g clip-path=\"url(#canvas)\" fill=\"none\">\n" + elementsOf(records) + "</g>\n";
    out += "<g font-family=\"" + fontFamilies() + "\" fill=\"" + colour(pen::foreColor) + "\">\n" +
           captionsOf(shown) + "</g>\n";
    return out + "</svg>\n";
}

} // namespace picture
