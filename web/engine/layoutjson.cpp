#include "web/engine/layoutjson.h"

#include "core/animation/scene.h"
#include "core/conversions.h"
#include "core/pen.h"
#include "core/twips.h"
#include "core/window/announcements.h"
#include "core/window/layout.h"
#include "web/engine/figures.h"
#include "web/engine/handlers.h"

#include <type_traits>

namespace {

const char *kindName(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::TextBox:
        return "textBox";
    case layout::Kind::ScrollBar:
        return "scrollBar";
    case layout::Kind::PictureBox:
        return "pictureBox";
    case layout::Kind::CommandButton:
        return "commandButton";
    case layout::Kind::Image:
        return "image";
    case layout::Kind::Label:
        return "label";
    }
    return "";
}

// A JSON text written in order: objects and arrays opened and closed by hand, fields by name.
class Json
{
public:
    std::string text;

    Json &open(const char *name = nullptr, char bracket = '{')
    {
        key(name);
        text += bracket;
        return *this;
    }
    Json &close(char bracket = '}')
    {
        text += bracket;
        return *this;
    }
    template <typename Value> Json &field(const char *name, Value value)
    {
        key(name);
        if constexpr (std::is_same_v<Value, bool>)
            text += value ? "true" : "false";
        else if constexpr (std::is_arithmetic_v<Value> || std::is_enum_v<Value>)
            text += numberToText(static_cast<double>(value), ".");
        else if (value)
            string(value);
        else
            text += "null";
        return *this;
    }

private:
    void key(const char *name)
    {
        if (!text.empty() && text.back() != '{' && text.back() != '[')
            text += ',';
        if (name) {
            string(name);
            text += ':';
        }
    }
    // The table's texts are plain, but quotes and backslashes are escaped all the same.
    void string(const char *value)
    {
        text += '"';
        for (const char *c = value; *c; ++c) {
            if (*c == '"' || *c == '\\')
                text += '\\';
            text += *c;
        }
        text += '"';
    }
};

void writeControl(Json &json, const layout::Control &row)
{
    json.open()
        .field("name", row.name)
        .field("kind", kindName(row.kind))
        .field("text", row.text)
        .field("left", twipsToPixels(row.left))
        .field("top", twipsToPixels(row.top))
        .field("width", twipsToPixels(row.width))
        .field("height", twipsToPixels(row.height))
        .field("shown", row.shown)
        .field("captionBox", row.style == layout::Style::CaptionBox)
        .field("accessibleName", row.accessibleName);
    if (row.font.points > 0)
        json.open("font")
            .field("pixels", layout::fontPixels(row.font))
            .field("bold", row.font.bold)
            .close();
    json.close();
}

} // namespace

std::string layoutJson()
{
    Json json;
    json.open()
        .field("name", layout::windowName)
        .field("caption", layout::caption)
        .field("backColor", layout::backColor)
        .field("width", twipsToPixels(layout::openingWidth))
        .field("height", twipsToPixels(layout::openingHeight));
    json.open("font")
        .field("family", layout::fontFamily)
        .field("pixels", layout::fontPixels({}))
        .close();
    json.open("scroll")
        .field("minimum", layout::scrollMinimum)
        .field("maximum", layout::scrollMaximum)
        .field("step", layout::scrollStep)
        .close();

    // The scene in twips, and the canvas that covers it in pixels.
    json.field("twipsPerPixel", twipsPerPixel);
    json.open("canvas")
        .field("width", pixelsCovering(scene::width))
        .field("height", pixelsCovering(scene::height))
        .close();

    json.open("handlers");
    for (std::size_t i = 0; i < handlerNames.size(); ++i)
        json.field(handlerNames[i], i);
    json.close();

    json.open("figures")
        .field("recordSize", figures::recordSize)
        .field("foreColor", figures::foreColor);
    json.open("ops");
    for (std::size_t i = 0; i < figures::opNames.size(); ++i)
        json.field(figures::opNames[i], figures::DrawWidth + i);
    json.close().close();

    const DrawingState start;
    json.open("pen")
        .field("drawWidth", start.drawWidth)
        .field("drawStyle", start.drawStyle)
        .field("fillStyle", start.fillStyle)
        .field("fillColor", start.fillColor)
        .field("foreColor", pen::foreColor)
        .field("dotted", DrawStyle::Dotted)
        .field("solidFill", FillStyle::Solid)
        .field("widestStyled", pen::widestStyled)
        .field("dotLength", pen::dotLength)
        .close();

    json.open("speech")
        .field("sceneName", announcements::sceneName)
        .field("sceneDescription", announcements::sceneDescription)
        .field("runStarted", announcements::runStarted)
        .field("runFinished", announcements::runFinished)
        .close();

    // In tab order, as the page's document order is its tab order.
    json.open("controls", '[');
    for (const layout::Control *row : layout::tabOrder())
        writeControl(json, *row);
    json.close(']');
    json.close();
    return std::move(json.text);
}
