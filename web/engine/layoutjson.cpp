#include "web/engine/layoutjson.h"

#include "core/animation/scene.h"
#include "core/conversions.h"
#include "core/figures.h"
#include "core/pace.h"
#include "core/pen.h"
#include "core/picture/about.h"
#include "core/picture/drawing.h"
#include "core/twips.h"
#include "core/window/keys.h"
#include "core/window/layout.h"
#include "core/window/wiring.h"

#include <chrono>
#include <string_view>
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

const char *eventName(Event event)
{
    switch (event) {
    case Event::Load:
        return "load";
    case Event::Click:
        return "click";
    case Event::Change:
        return "change";
    }
    return "";
}

const char *clickName(ClickOn on)
{
    switch (on) {
    case ClickOn::Press:
        return "press";
    case ClickOn::Release:
        return "release";
    case ClickOn::Never:
        break;
    }
    return "never";
}

double milliseconds(std::chrono::milliseconds duration)
{
    return static_cast<double>(duration.count());
}

// A JSON text written in order: objects and arrays opened and closed by hand, fields by name.
class Json
{
public:
    std::string text;

    Json &open(std::string_view name = {}, char bracket = '{')
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
    template <typename Value> Json &field(std::string_view name, Value value)
    {
        key(name);
        if constexpr (std::is_same_v<Value, bool>)
            text += value ? "true" : "false";
        else if constexpr (std::is_arithmetic_v<Value> || std::is_enum_v<Value>)
            text += numberToText(static_cast<double>(value), ".");
        else
            string(value);
        return *this;
    }
    Json &null(std::string_view name)
    {
        key(name);
        text += "null";
        return *this;
    }

private:
    void key(std::string_view name)
    {
        if (!text.empty() && text.back() != '{' && text.back() != '[')
            text += ',';
        if (!name.empty()) {
            string(name);
            text += ':';
        }
    }
    // Quotes, backslashes and control characters are escaped; the rest is UTF-8 as it is.
    void string(std::string_view value)
    {
        text += '"';
        for (const char c : value) {
            if (c == '"' || c == '\\') {
                text += '\\';
                text += c;
            } else if (c == '\n') {
                text += "\\n";
            } else if (static_cast<unsigned char>(c) < 0x20) {
                constexpr const char *hex = "0123456789abcdef";
                text += "\\u00";
                text += hex[(c >> 4) & 0xF];
                text += hex[c & 0xF];
            } else {
                text += c;
            }
        }
        text += '"';
    }
};

void writeControl(Json &json, const layout::Control &row, Language language)
{
    json.open()
        .field("name", row.name)
        .field("kind", kindName(row.kind))
        .field("text", texts::words(row.text, language))
        .field("spokenName", texts::words(layout::spokenName(row), language));
    if (row.picture != layout::Picture::None)
        json.field("picture", layout::pictureFile(row.picture));
    else
        json.null("picture");
    json.field("left", twipsToPixels(row.left))
        .field("top", twipsToPixels(row.top))
        .field("width", twipsToPixels(row.width))
        .field("height", twipsToPixels(row.height))
        .field("shown", row.shown)
        .field("captionBox", row.style == layout::Style::CaptionBox)
        .field("windowless", layout::isWindowless(row.kind))
        .field("tabStop", layout::isTabStop(row));
    if (const layout::Control *named = layout::captionFor(row))
        json.field("captionFor", named->name);
    if (row.font.points > 0)
        json.open("font")
            .field("pixels", layout::fontPixels(row.font))
            .field("bold", row.font.bold)
            .close();
    json.close();
}

void writeRules(Json &json)
{
    json.open("handlers");
    for (const Named<Handler> &handler : handlerNames)
        json.field(handler.name, handler.value);
    json.close();
    json.open("wiring", '[');
    for (const Wire &wire : wiring)
        json.open()
            .field("control", wire.control)
            .field("event", eventName(wire.event))
            .field("handler", handlerNames[static_cast<std::size_t>(wire.handler)].name)
            .close();
    json.close(']');

    json.open("keys");
    json.open("button");
    for (const Named<Key> &key : keyNames)
        if (buttonClick(key.value) != ClickOn::Never)
            json.field(key.name, clickName(buttonClick(key.value)));
    json.close();
    json.open("scrollBar");
    for (const ScrollKey &row : scrollKeys)
        json.field(keyNames[static_cast<std::size_t>(row.key)].name,
                   moveNames[static_cast<std::size_t>(row.move)].name);
    json.close().close();

    json.open("pace")
        .field("frame", milliseconds(pace::frame))
        .field("ahead", milliseconds(pace::ahead))
        .field("busy", milliseconds(pace::busy))
        .close();
}

void writeDrawing(Json &json)
{
    // The scene in twips, and the canvas that covers it in pixels.
    json.field("twipsPerPixel", twipsPerPixel);
    json.open("canvas")
        .field("width", scene::pixelWidth)
        .field("height", scene::pixelHeight)
        .close();

    using namespace figures;
    json.open("figures").field("recordSize", recordSize).field("foreColor", foreColor);
    json.open("ops");
    for (const Named<figures::Op> &op : opNames)
        json.field(op.name, op.value);
    json.close();
    json.open("fields")
        .field("op", OpField)
        .field("value", Value)
        .field("x1", X1)
        .field("y1", Y1)
        .field("x2", X2)
        .field("y2", Y2)
        .field("colour", ColourField)
        .field("x", X)
        .field("y", Y)
        .field("radius", Radius)
        .close()
        .close();

    const DrawingState start;
    json.open("pen")
        .field("drawWidth", start.drawWidth)
        .field("drawStyle", start.drawStyle)
        .field("fillStyle", start.fillStyle)
        .field("fillColor", start.fillColor)
        .field("foreColor", pen::foreColor)
        .field("solid", DrawStyle::Solid)
        .field("dotted", DrawStyle::Dotted)
        .field("solidFill", FillStyle::Solid)
        .field("widestStyled", pen::widestStyled)
        .field("dotLength", pen::dotLength)
        .close();
}

// The teacher's picture: the scale of a PNG for print, and the name a saved one is offered under.
void writePicture(Json &json, Language language)
{
    json.open("picture")
        .field("printTwipsPerPixel", picture::printTwipsPerPixel)
        .field("fileName", picture::fileBaseName(language))
        .close();
}

// A build for the tests lets the page be slowed where a test must give input in between.
#ifdef HALMIRA_TEST_HOOKS
constexpr bool testHooks = true;
#else
constexpr bool testHooks = false;
#endif

} // namespace

std::string layoutJson(Language language, std::string_view notice)
{
    Json json;
    json.open()
        .field("language", texts::code(language))
        .field("notice", notice)
        .field("name", layout::windowName)
        .field("caption", texts::words(layout::caption, language))
        .field("backColor", layout::backColor)
        .field("width", twipsToPixels(layout::openingWidth))
        .field("height", twipsToPixels(layout::openingHeight))
        .field("firstFocus", layout::firstFocus().name)
        .field("uprightPhoneWidth", layout::uprightPhoneWidth)
        .field("testHooks", testHooks);
    json.open("font").field("family", layout::fontFamily).field("pixels", layout::fontPixels({}));
    json.open("substitutes", '[');
    for (const char *family : layout::fontSubstitutes)
        json.field({}, family);
    json.close(']').close();
    json.open("scroll")
        .field("minimum", layout::scrollMinimum)
        .field("maximum", layout::scrollMaximum)
        .field("step", layout::scrollStep)
        .close();

    writeRules(json);
    writeDrawing(json);
    writePicture(json, language);

    // Each language by its own name, for a menu of them.
    json.open("languages", '[');
    for (const Language each : texts::languages())
        json.open()
            .field("code", texts::code(each))
            .field("name", texts::words(Text::LanguageName, each))
            .close();
    json.close(']');

    json.open("words");
    for (const Text id : texts::all())
        json.field(texts::name(id), texts::words(id, language));
    json.close();

    // In tab order, as the page's document order is its tab order.
    json.open("controls", '[');
    for (const layout::Control *row : layout::tabOrder())
        writeControl(json, *row, language);
    json.close(']');
    json.close();
    return std::move(json.text);
}
