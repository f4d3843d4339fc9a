// The module's exports: the layout, the handlers, the control state the page hands in before
// each handler runs, the held-input queue and the figures that draw the scene as it stands.
#include "core/errors.h"
#include "core/picture/pngtext.h"
#include "core/picture/svgpicture.h"
#include "core/window/inputqueue.h"
#include "core/window/language.h"
#include "core/window/wiring.h"
#include "web/engine/host.h"
#include "web/engine/layoutjson.h"
#include "web/engine/webform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

Language language = Language::Czech;
std::string notice; // for a language asked for that there is none of
WebForm form;
InputQueue<int> held;    // the page keeps what each ticket stands for
std::string input;       // what the page writes in: a name, then a text
std::string layoutText;  // kept alive for the page to read
std::string pictureText; // the last picture written, kept for the page to read

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
    const std::string sentence = errorReport(code, language);
    host::runtimeError(code, sentence.data(), sentence.size());
}

// What a run shows and says beyond its drawing reaches the page after the figures before it.
class PageListener : public RunListener
{
    void sceneCovers() override
    {
        form.figures().covered();
        form.flush();
        host::sceneCovers();
    }
    void announce(std::string_view words) override
    {
        form.flush();
        host::announce(words.data(), words.size());
    }
    void describeScene(std::string_view description) override
    {
        form.flush();
        host::describeScene(description.data(), description.size());
    }
} listener;

// What a rehearsal tells: nothing, to nobody.
class Unheard : public RunListener
{
    void sceneCovers() override {}
    void announce(std::string_view) override {}
    void describeScene(std::string_view) override {}
} unheard;

std::optional<StreamForm> rehearsal;

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

// The window's language, by the code the page hands in: false where there is none of it, and
// the window stays Czech.
HALMIRA_EXPORT("set_language") bool setLanguage()
{
    const LanguageChoice choice = chooseLanguage(input);
    language = choice.language;
    notice = choice.complaint;
    form = WebForm(language);
    return notice.empty();
}

HALMIRA_EXPORT("layout_json") const char *layoutJsonText()
{
    layoutText = layoutJson(language, notice);
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

HALMIRA_EXPORT("run_handler") void runPageHandler(int handler)
{
    runHandler(static_cast<Handler>(handler), form, listener, language);
    form.flush();
}

// A run of Start with no waits, on a window of its own that shows nothing, made once while the
// page is idle after it opened: the module's code is then compiled for speed, and its memory
// grown, before the first run the pupil sees, which otherwise pays for both. Its records, a
// pointer to the first and their count, let the page rehearse its drawing too.
HALMIRA_EXPORT("rehearse") const float *rehearse()
{
    rehearsal.emplace(language);
    // Its controls as the window opened them, the pace text too.
    runHandler(Handler::Load, *rehearsal, unheard, language);
    runHandler(Handler::Start, *rehearsal, unheard, language);
    return rehearsal->figures().kept().data()->data();
}

HALMIRA_EXPORT("rehearsal_count") std::size_t rehearsalCount()
{
    return rehearsal ? rehearsal->figures().kept().size() : 0;
}

HALMIRA_EXPORT("rehearsal_done") void rehearsalDone()
{
    rehearsal.reset();
}

// The records that draw the scene as it stands, for the page to draw it again: a pointer to
// the first, and their count.
HALMIRA_EXPORT("kept_figures") const float *keptFigures()
{
    return form.figures().kept().data()->data();
}

HALMIRA_EXPORT("kept_figure_count") std::size_t keptFigureCount()
{
    return form.figures().kept().size();
}

// The held-input queue, by the tickets the page gives its held events and handler requests.
HALMIRA_EXPORT("input_begin") void inputBegin()
{
    held.begin();
}

HALMIRA_EXPORT("input_end") void inputEnd()
{
    held.end();
}

HALMIRA_EXPORT("input_defer") void inputDefer(int ticket)
{
    held.defer(ticket);
}

// The next ticket to deliver now, or -1.
HALMIRA_EXPORT("input_next") int inputNext()
{
    return held.next().value_or(-1);
}

HALMIRA_EXPORT("input_discard") void inputDiscard()
{
    held.discard();
}

HALMIRA_EXPORT("input_busy") bool inputBusy()
{
    return held.busy();
}

HALMIRA_EXPORT("input_holding") bool inputHolding()
{
    return held.holding();
}

HALMIRA_EXPORT("input_may_run") bool inputMayRun()
{
    return held.mayRun();
}

// The teacher's picture of the scene as it stands: the SVG, from what the engine keeps and the
// captions the window shows. A pointer to its text; picture_size gives its length.
HALMIRA_EXPORT("picture_svg") const char *pictureSvg()
{
    std::vector<std::string> texts;
    texts.reserve(layout::controls.size()); // the captions' views stay where they point
    std::vector<picture::Shown> shown;
    for (const layout::Control &row : layout::controls)
        if (row.kind == layout::Kind::TextBox && form.visible(row.name)) {
            texts.push_back(form.text(row.name));
            shown.push_back({row.name, texts.back(), form.left(row.name), form.top(row.name)});
        }
    pictureText = picture::svg(form.figures().kept(), shown, picture::aboutOf(form, language));
    return pictureText.c_str();
}

// The PNG the page has drawn of it, written in, with what the picture says of itself.
HALMIRA_EXPORT("picture_png") const char *picturePng()
{
    pictureText = picture::withAbout(input, picture::aboutOf(form, language));
    return pictureText.data();
}

HALMIRA_EXPORT("picture_size") std::size_t pictureSize()
{
    return pictureText.size();
}
