#pragma once

#include "core/names.h"
#include "core/window/texts.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

class Form;

// The window's rules, as every front end follows them: which control's event runs which
// handler, and what a run shows and says beyond its drawing.
enum class Handler { Load, Start, Change, Konec };
enum class Event { Load, Click, Change };

// The names a front end knows the handlers by.
inline constexpr std::array<Named<Handler>, 4> handlerNames{{
    {Handler::Load, "Load"},
    {Handler::Start, "Start"},
    {Handler::Change, "Change"},
    {Handler::Konec, "Konec"},
}};

static_assert(namesInOrder(handlerNames) && handlerNames.back().value == Handler::Konec,
              "every handler has one name, in the enum's order");

struct Wire {
    const char *control; // the window's own name for its Load event
    Event event;
    Handler handler;
};

// clang-format off
inline constexpr std::array<Wire, 4> wiring{{
    {"Halmira",  Event::Load,   Handler::Load},
    {"comStart", Event::Click,  Handler::Start},
    {"HScroll1", Event::Change, Handler::Change},
    {"comKonec", Event::Click,  Handler::Konec},
}};
// clang-format on

// The handler a control's event runs, for a front end that looks it up as the event comes.
constexpr std::optional<Handler> handlerFor(std::string_view control, Event event)
{
    for (const Wire &wire : wiring)
        if (wire.event == event && wire.control == control)
            return wire.handler;
    return std::nullopt;
}

// What a front end shows and says of a run beyond its drawing.
class RunListener
{
public:
    virtual ~RunListener() = default;
    // The drawing that follows paints over the whole scene, and with it the windowless
    // controls (layout::isWindowless): they no longer show, and the drawing does.
    virtual void sceneCovers() = 0;
    // Words for a screen reader to say now, as a run starts or ends.
    virtual void announce(std::string_view words) = 0;
    // What the drawing now shows, for a screen reader to find on it.
    virtual void describeScene(std::string_view description) = 0;
};

// Runs a handler on the form, telling the listener what the run covers and announces, in the
// window's language.
void runHandler(Handler handler, Form &form, RunListener &listener, Language language);
