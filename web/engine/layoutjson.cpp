#include "web/engine/layoutjson.h"

#include "core/animation/scene.h"
#include "core/conversions.h"
#include "core/window/layout.h"

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

// The table's texts are plain, but quotes and backslashes are escaped all the same.
void appendString(std::string &json, const char *text)
{
    json += '"';
    for (const char *c = text; *c; ++c) {
        if (*c == '"' || *c == '\\')
            json += '\\';
        json += *c;
    }
    json += '"';
}

void appendNumber(std::string &json, double value)
{
    json += numberToText(value, ".");
}

template <typename Value> void appendField(std::string &json, const char *name, Value value)
{
    if (json.back() != '{')
        json += ',';
    appendString(json, name);
    json += ':';
    if constexpr (std::is_same_v<Value, bool>)
        json += value ? "true" : "false";
    else if constexpr (std::is_arithmetic_v<Value>)
        appendNumber(json, value);
    else if (value)
        appendString(json, value);
    else
        json += "null";
}

} // namespace

std::string layoutJson()
{
    std::string json = "{";
    appendField(json, "name", layout::windowName);
    appendField(json, "caption", layout::caption);
    appendField(json, "backColor", layout::backColor);
    appendField(json, "width", layout::openingWidth);
    appendField(json, "height", layout::openingHeight);
    appendField(json, "sceneWidth", scene::width);
    appendField(json, "sceneHeight", scene::height);
    appendField(json, "fontFamily", layout::fontFamily);
    appendField(json, "defaultFontPoints", layout::defaultFontPoints);
    appendField(json, "scrollMinimum", layout::scrollMinimum);
    appendField(json, "scrollMaximum", layout::scrollMaximum);
    appendField(json, "scrollStep", layout::scrollStep);
    json += ",\"controls\":[";
    for (const layout::Control &row : layout::controls) {
        if (json.back() == '}')
            json += ',';
        json += '{';
        appendField(json, "name", row.name);
        appendField(json, "kind", kindName(row.kind));
        appendField(json, "text", row.text);
        appendField(json, "left", row.left);
        appendField(json, "top", row.top);
        appendField(json, "width", row.width);
        appendField(json, "height", row.height);
        appendField(json, "tabIndex", row.tabIndex);
        appendField(json, "shown", row.shown);
        appendField(json, "captionBox", row.style == layout::Style::CaptionBox);
        appendField(json, "fontPoints", row.font.points);
        appendField(json, "bold", row.font.bold);
        appendField(json, "accessibleName", row.accessibleName);
        json += '}';
    }
    json += "]}";
    return json;
}
