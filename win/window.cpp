#include "win/window.h"

#include "core/runtimeerror.h"
#include "win/dpi.h"
#include "win/resource.h"
#include "win/systemlibrary.h"
#include "win/unicode.h"

#include <windowsx.h>

#include <cstdlib>
#include <exception>

using std::chrono::steady_clock;

namespace {

constexpr wchar_t windowClass[] = L"Halmira";
constexpr wchar_t canvasClass[] = L"HalmiraCanvas";
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

std::wstring words(Text id, Language language)
{
    return wide(texts::words(id, language));
}

void registerClasses(HINSTANCE instance, WNDPROC window, WNDPROC canvas, HBRUSH background)
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSEXW main{};
    main.cbSize = sizeof main;
    main.style = CS_HREDRAW | CS_VREDRAW;
    main.lpfnWndProc = window;
    main.hInstance = instance;
    main.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_HALMIRA));
    main.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_HALMIRA),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    main.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    main.hbrBackground = background;
    main.lpszClassName = windowClass;
    RegisterClassExW(&main);

    WNDCLASSEXW drawing{};
    drawing.cbSize = sizeof drawing;
    drawing.lpfnWndProc = canvas;
    drawing.hInstance = instance;
    drawing.hCursor = main.hCursor;
    drawing.lpszClassName = canvasClass;
    RegisterClassExW(&drawing);
}

// Input Windows still holds for the window: it must not answer the error box.
void dropQueuedInput()
{
    MSG dropped;
    while (PeekMessageW(&dropped, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT)) {
    }
}

} // namespace

HalmiraWindow::HalmiraWindow(HINSTANCE instance, Language language)
    : language_(language), background_(CreateSolidBrush(layout::backColor)), controls_(language),
      gate_([this](const MSG &message) { return takeKey(message); })
{
    registerClasses(instance, windowProcedure, canvasProcedure, background_);
#ifdef HALMIRA_TEST_HOOKS
    if (const char *pause = std::getenv("HALMIRA_REPLAY_PAUSE_MS"))
        gate_.paceReplay(std::chrono::milliseconds(std::atoi(pause)));
#endif
    const UINT dpi = windowDpi(nullptr);
    const RECT client{0, 0, devicePixels(layout::openingWidth, dpi),
                      devicePixels(layout::openingHeight, dpi)};
    const RECT frame = frameAround(client, windowStyle, 0, dpi);
    CreateWindowExW(0, windowClass, words(layout::caption, language).c_str(), windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, instance, this);
    controls_.create(
        window_, instance, [&] { return makeCanvas(instance); }, speech_);
    place(windowDpi(window_));
    focus_ = controls_.named(layout::firstFocus().name).window;
    // The window's own Load runs now, before it takes any input.
    if (const auto load = handlerFor(layout::windowName, Event::Load))
        raise(*load);
}

HalmiraWindow::~HalmiraWindow()
{
    if (window_)
        DestroyWindow(window_);
    DeleteObject(background_);
}

HWND HalmiraWindow::makeCanvas(HINSTANCE instance)
{
    canvasWindow_ = CreateWindowExW(0, canvasClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                    window_, nullptr, instance, this);
    speech_.graphic(canvasWindow_, words(Text::SceneName, language_));
    return canvasWindow_;
}

void HalmiraWindow::place(UINT dpi)
{
    controls_.place(dpi);
    canvas_.setDpi(dpi);
    const SIZE size = canvas_.size();
    SetWindowPos(canvasWindow_, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

void HalmiraWindow::raise(Handler handler)
{
    if (!gate_.mayRun()) {
        // A handler asked for during another, as by a screen reader's click, waits for it.
        gate_.defer([this, handler] { raise(handler); });
        return;
    }
    gate_.begin();
    schedule_.start(steady_clock::now());
    fineTimers(true);
    std::optional<ErrorCodes::Code> failed;
    try {
        runHandler(handler, *this, *this, language_);
    } catch (const RuntimeError &error) {
        failed = error.code();
    } catch (const std::exception &) {
        failed = ErrorCodes::InternalError;
    }
    fineTimers(false);
    if (pendingSince_)
        present(); // an error's box shows over what was drawn up to it
    if (failed) {
        report(*failed);
        return;
    }
    gate_.end();
    if (quitAsked_)
        PostQuitMessage(exitStatus_);
}

// The error drops what was held, and what Windows still holds for the window: a key given
// during the run would otherwise close the box before anyone saw it.
void HalmiraWindow::report(ErrorCodes::Code code)
{
    gate_.discard();
    dropQueuedInput();
    exitStatus_ = 1;
    MessageBoxW(window_, wide(errorReport(code, language_)).c_str(),
                words(Text::ProgramName, language_).c_str(), MB_OK | MB_ICONERROR);
    DestroyWindow(window_);
}

LRESULT CALLBACK HalmiraWindow::windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE) {
        auto *self =
            static_cast<HalmiraWindow *>(reinterpret_cast<CREATESTRUCTW *>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto *self = reinterpret_cast<HalmiraWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->message(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT HalmiraWindow::message(UINT message, WPARAM w, LPARAM l)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED)
            if (const auto *clicked = controls_.of(reinterpret_cast<HWND>(l)))
                if (const auto handler = handlerFor(clicked->row->name, Event::Click))
                    raise(*handler);
        return 0;
    case WM_HSCROLL:
        scrollBarMoved(w, reinterpret_cast<HWND>(l));
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        // Turned away or to the left steps back, as the page's wheel does.
        const int delta = GET_WHEEL_DELTA_WPARAM(w);
        if (wheel(message == WM_MOUSEWHEEL ? -delta : delta,
                  POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)}))
            return 0;
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // Captions stand on the window's background; the pace box keeps a text box's colours.
        const auto *control = controls_.of(reinterpret_cast<HWND>(l));
        if (control && control->row->style == layout::Style::Plain &&
            control->row->kind == layout::Kind::TextBox)
            break;
        HDC dc = reinterpret_cast<HDC>(w);
        SetBkColor(dc, layout::backColor);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(background_);
    }
    case WM_ACTIVATE:
        // Leaving, the window remembers which control had the focus; coming back, it gives it
        // back, as a dialog does.
        if (LOWORD(w) == WA_INACTIVE) {
            if (HWND focused = GetFocus(); focused && IsChild(window_, focused))
                focus_ = focused;
        } else if (HIWORD(w) == 0 && focus_) {
            SetFocus(focus_);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (focus_)
            SetFocus(focus_);
        return 0;
    case WM_DPICHANGED: {
        const RECT *suggested = reinterpret_cast<const RECT *>(l);
        place(LOWORD(w));
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CONTEXTMENU:
        pictureMenu(l);
        return 0;
    case WM_CLOSE:
        // A close request during a handler waits for it, in order with the held input.
        if (gate_.busy()) {
            gate_.defer([this] { SendMessageW(window_, WM_CLOSE, 0, 0); });
            return 0;
        }
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        gate_.discard();
        PostQuitMessage(exitStatus_);
        return 0;
    case WM_NCDESTROY:
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, message, w, l);
}

LRESULT CALLBACK HalmiraWindow::canvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW *>(l)->lpCreateParams));
    auto *self = reinterpret_cast<HalmiraWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (self)
            self->canvas_.copyTo(dc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // the buffer covers all of it
    case WM_NCHITTEST:
        return HTTRANSPARENT; // clicks go to what lies beneath; the drawing only shows
    default:
        return DefWindowProcW(window, message, w, l);
    }
}

void HalmiraWindow::sceneCovers()
{
    canvas_.stream().covered();
    ShowWindow(canvasWindow_, SW_SHOWNA);
    // The windowless controls are painted over: they no longer show, to the eye or a screen
    // reader.
    for (const auto &[name, control] : controls_)
        if (layout::isWindowless(control.row->kind))
            ShowWindow(control.window, SW_HIDE);
}

void HalmiraWindow::announce(std::string_view words)
{
    speech_.announce(window_, wide(words));
}

void HalmiraWindow::describeScene(std::string_view description)
{
    speech_.describe(canvasWindow_, wide(description));
}
