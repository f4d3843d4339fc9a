// The module's exports: the layout, the handlers, and the control state the page hands in
// before each handler runs.
#include "core/animation/startclick.h"
#include "core/errors.h"
#include "core/window/handlers.h"
#include "web/engine/handlers.h"
#include "web/engine/host.h"
#include "web/engine/layoutjson.h"
#include "web/engine/webform.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

WebForm form;
std::string input;      // what the page writes in: a name, then a text
std::string layoutText; // kept alive for the page to read

// Where a handler's stack is kept while it is suspended at a wait: asyncify unwinds it into
// the room after this header and rewinds it from there. The handlers nest only a few calls deep.
struct SuspendArea {
    char *at;
    char *end;
    alignas(16) char stack[16 * 1024];
} suspendArea;

std::string_view inputPart(std::size_t from, std::size_t length)
{
    return std::string_view(input).substr(from, length);
}

void report(ErrorCodes::Code code)
{
    form.flush(); // the report shows over what was drawn up to the error
    const char *name = ErrorCodes::czechName(code);
    host::runtimeError(code, name, std::strlen(name));
}

} // namespace

// No C++ exceptions here: the error goes to the host, and the trap ends the handler.
void raiseRuntimeError(ErrorCodes::Code code)
{
    report(code);
    __builtin_trap();
}

#define HALMIRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

// For a trap the engine did not raise itself: the runtime's internal error.
HALMIRA_EXPORT("report_internal_error") void reportInternalError()
{
    report(ErrorCodes::InternalError);
}

HALMIRA_EXPORT("layout_json") const char *layoutJsonText()
{
    layoutText = layoutJson();
    return layoutText.c_str();
}

// Room for size bytes from the page; valid until the next call.
HALMIRA_EXPORT("input_buffer") char *inputBuffer(std::size_t size)
{
    input.assign(size, '\0');
    return input.data();
}

HALMIRA_EXPORT("set_control_text") void setControlText(std::size_t nameLength)
{
    form.setControlText(inputPart(0, nameLength), inputPart(nameLength, std::string::npos));
}

HALMIRA_EXPORT("set_control_value") void setControlValue(int value)
{
    form.setValue(input, value);
}

HALMIRA_EXPORT("set_decimal_point") void setDecimalPoint()
{
    form.setDecimalPoint(input);
}

// The area, emptied, for a handler about to be suspended.
HALMIRA_EXPORT("suspend_area") SuspendArea *emptySuspendArea()
{
    suspendArea.at = suspendArea.stack;
    suspendArea.end = suspendArea.stack + sizeof suspendArea.stack;
    return &suspendArea;
}

HALMIRA_EXPORT("run_handler") void runHandler(int handler)
{
    switch (static_cast<Handler>(handler)) {
    case Handler::Load:
        formLoad(form);
        break;
    case Handler::Start:
        // The Start handler's wipe paints over the whole scene before anything else.
        form.covered();
        comStartClick(form);
        break;
    case Handler::Change:
        hScroll1Change(form);
        break;
    case Handler::Konec:
        comKonecClick(form);
        break;
    }
    form.flush();
}
