#include "core/picture/svgpicture.h"

#include "core/pen.h"
#include "core/twips.h"
#include "core/window/layout.h"
#include "core/xmltext.h"

#include <cstdio>

namespace picture {
namespace {

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

std::string stroked(const Stroke &stroke)
{
    std::string out =
        " stroke=\"" + colour(stroke.colour) + "\" stroke-width=\"" + number(stroke.width) + "\"";
    if (stroke.dash > 0)
        return out + " stroke-dasharray=\"" + number(stroke.dash) + "\"";
    return out + " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
}

struct Element {
    std::string &out;

    void operator()(const Lines &lines) const
    {
        out += "<path d=\"";
        for (const Segment &s : lines.segments)
            out +=
                "M" + number(s.x1) + " " + number(s.y1) + "L" + number(s.x2) + " " + number(s.y2);
        out += "\"" + stroked(lines.stroke) + "/>\n";
    }

    void operator()(const Band &band) const
    {
        out += "<rect x=\"" + number(band.left) + "\" y=\"" + number(band.top) + "\" width=\"" +
               number(band.width) + "\" height=\"" + number(band.height) + "\" rx=\"" +
               number(band.corner) + "\" fill=\"" + colour(band.fill) + "\"/>\n";
    }

    void operator()(const Disc &disc) const
    {
        out += "<circle cx=\"" + number(disc.x) + "\" cy=\"" + number(disc.y) + "\" r=\"" +
               number(disc.radius) + "\" fill=\"" +
               (disc.filled ? colour(disc.fill) : std::string("none")) + "\"" +
               (disc.rimmed ? stroked(disc.rim) : std::string()) + "/>\n";
    }
};

std::string captionsOf(const std::vector<Caption> &captions)
{
    std::string out;
    for (const Caption &c : captions) {
        // On the window's background, as the box shows it over the drawing.
        out += "<rect x=\"" + number(c.left) + "\" y=\"" + number(c.top) + "\" width=\"" +
               number(c.width) + "\" height=\"" + number(c.height) + "\" fill=\"" +
               colour(layout::backColor) + "\"/>\n";
        out += "<text x=\"" + number(c.textX) + "\" y=\"" + number(c.baseline) + "\" font-size=\"" +
               number(c.size) + "\"" + (c.bold ? " font-weight=\"bold\"" : "") + ">" +
               escapedForXml(c.text) + "</text>\n";
    }
    return out;
}

} // namespace

std::string svg(const Drawing &drawing, const About &about)
{
    const Extent &e = drawing.extent;
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
    out += "<clipPath id=\"canvas\"><rect width=\"" + number(drawing.clipWidth) + "\" height=\"" +
           number(drawing.clipHeight) + "\"/></clipPath>\n";
    out += "<g clip-path=\"url(#canvas)\" fill=\"none\">\n";
    for (const Shape &shape : drawing.shapes)
        std::visit(Element{out}, shape);
    out += "</g>\n";
    out += "<g font-family=\"" + fontFamilies() + "\" fill=\"" + colour(pen::foreColor) + "\">\n" +
           captionsOf(drawing.captions) + "</g>\n";
    return out + "</svg>\n";
}

} // namespace picture
