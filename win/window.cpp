#include "win/window.h"

#include "core/runtimeerror.h"
#include "core/window/keys.h"
#include "win/dpi.h"
#include "win/pictures.h"
#include "win/resource.h"
#include "win/unicode.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using std::chrono::steady_clock;

namespace {

constexpr wchar_t windowClass[] = L"Halmira";
constexpr wchar_t canvasClass[] = L"HalmiraCanvas";
// A control's id: its place in the layout table, after the ids Windows keeps for itself.
constexpr int firstControlId = 1000;
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT wmSysTimer = 0x0118; // the timer a scroll bar repeats its steps by
constexpr UINT_PTR replayTimer = 1; // wakes the loop for a held item a test build paced

std::wstring words(Text id, Language language)
{
    return wide(texts::words(id, language));
}

bool isInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

Key keyOf(WPARAM virtualKey)
{
    switch (virtualKey) {
    case VK_RETURN:
        return Key::Enter;
    case VK_SPACE:
        return Key::Space;
    case VK_LEFT:
        return Key::Left;
    case VK_RIGHT:
        return Key::Right;
    case VK_PRIOR:
        return Key::PageUp;
    case VK_NEXT:
        return Key::PageDown;
    case VK_HOME:
        return Key::Home;
    case VK_END:
        return Key::End;
    default:
        return Key::Other;
    }
}

bool modifierDown()
{
    return (GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU) | GetKeyState(VK_SHIFT)) < 0;
}

struct NativeKind {
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
};

NativeKind nativeKind(const layout::Control &row)
{
    const bool caption = row.style == layout::Style::CaptionBox;
    switch (row.kind) {
    case layout::Kind::TextBox:
        // A caption box has no border, and Tab passes it by.
        return {L"EDIT", ES_AUTOHSCROLL | (caption ? 0u : DWORD(WS_TABSTOP)),
                caption ? 0u : DWORD(WS_EX_CLIENTEDGE)};
    case layout::Kind::ScrollBar:
        return {L"SCROLLBAR", SBS_HORZ | WS_TABSTOP, 0};
    case layout::Kind::CommandButton:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case layout::Kind::PictureBox:
        return {L"STATIC", SS_BITMAP, WS_EX_STATICEDGE};
    case layout::Kind::Image:
        return {L"STATIC", SS_BITMAP, 0};
    case layout::Kind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    }
    return {L"STATIC", 0, 0};
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

// The one window, for the message filter below.
HalmiraWindow *theWindow = nullptr;

// A modal loop of Windows' own, such as the scroll bar's while a press on it is held, shows its
// messages here before it dispatches them: the window's keys hold there too.
LRESULT CALLBACK keysInModalLoops(int code, WPARAM w, LPARAM l)
{
    if (code >= 0 && theWindow && theWindow->takeKey(*reinterpret_cast<const MSG *>(l)))
        return TRUE;
    return CallNextHookEx(nullptr, code, w, l);
}

} // namespace

HalmiraWindow::HalmiraWindow(HINSTANCE instance, Language language)
    : language_(language), background_(CreateSolidBrush(layout::backColor))
{
    registerClasses(instance, windowProcedure, canvasProcedure, background_);
#ifdef HALMIRA_TEST_HOOKS
    if (const char *pause = std::getenv("HALMIRA_REPLAY_PAUSE_MS"))
        replayPause_ = std::chrono::milliseconds(std::atoi(pause));
#endif
    dpi_ = windowDpi(nullptr);
    const RECT client{0, 0, devicePixels(layout::openingWidth, dpi_),
                      devicePixels(layout::openingHeight, dpi_)};
    const RECT frame = frameAround(client, windowStyle, 0, dpi_);
    CreateWindowExW(0, windowClass, words(layout::caption, language).c_str(), windowStyle,
                    CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, instance, this);
    createControls(instance);
    place(windowDpi(window_));
    focus_ = control(layout::firstFocus().name).window;
    theWindow = this;
    keyFilter_ = SetWindowsHookExW(WH_MSGFILTER, keysInModalLoops, nullptr, GetCurrentThreadId());
    // The window's own Load runs now, before it takes any input.
    if (const auto load = handlerFor(layout::windowName, Event::Load))
        raise(*load);
}

HalmiraWindow::~HalmiraWindow()
{
    if (keyFilter_)
        UnhookWindowsHookEx(keyFilter_);
    theWindow = nullptr;
    if (window_)
        DestroyWindow(window_);
    for (const auto &[key, font] : fonts_)
        DeleteObject(font);
    for (const auto &[picture, bitmap] : pictures_)
        DeleteObject(bitmap);
    DeleteObject(background_);
}

// Windowed controls first, in tab order, so that Tab goes as the table has it; then the
// drawing; then the windowless controls beneath it. Each new window goes to the bottom, and
// none paints over a sibling above it.
void HalmiraWindow::createControls(HINSTANCE instance)
{
    std::vector<const layout::Control *> order;
    for (const layout::Control *row : layout::tabOrder())
        if (!layout::isWindowless(row->kind))
            order.push_back(row);
    order.push_back(nullptr); // the drawing
    for (const layout::Control *row : layout::tabOrder())
        if (layout::isWindowless(row->kind))
            order.push_back(row);

    for (const layout::Control *row : order) {
        HWND made = nullptr;
        if (!row) {
            made = CreateWindowExW(0, canvasClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                   window_, nullptr, instance, this);
            canvasWindow_ = made;
            speech_.graphic(made, words(Text::SceneName, language_));
        } else {
            const NativeKind kind = nativeKind(*row);
            const auto id =
                static_cast<std::intptr_t>(firstControlId + (row - layout::controls.data()));
            made = CreateWindowExW(
                kind.exStyle, kind.windowClass, words(row->text, language_).c_str(),
                WS_CHILD | WS_CLIPSIBLINGS | kind.style | (row->shown ? WS_VISIBLE : 0u), 0, 0, 0,
                0, window_, reinterpret_cast<HMENU>(id), instance, nullptr);
            controls_.emplace(row->name, Control{row, made, double(row->left), double(row->top),
                                                 layout::scrollMinimum});
            if (row->kind == layout::Kind::ScrollBar) {
                SetScrollRange(made, SB_CTL, layout::scrollMinimum, layout::scrollMaximum, FALSE);
                SetScrollPos(made, SB_CTL, layout::scrollMinimum, FALSE);
            }
            // A screen reader names each control by its text, or by what it does.
            speech_.name(made, words(layout::spokenName(*row), language_));
        }
        SetWindowPos(made, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void HalmiraWindow::place(UINT dpi)
{
    dpi_ = dpi;
    for (const auto &[key, font] : fonts_)
        DeleteObject(font);
    fonts_.clear();
    const HFONT windowFont = font({});
    for (const auto &[name, control] : controls_) {
        const layout::Control &row = *control.row;
        SendMessageW(control.window, WM_SETFONT,
                     reinterpret_cast<WPARAM>(row.font.points > 0 ? font(row.font) : windowFont),
                     FALSE);
        if (row.kind == layout::Kind::TextBox) {
            // A text box keeps its text a pixel clear of its edges: Windows' own margins, which
            // grow with the font, would clip the design's longest captions.
            const int margin = MulDiv(1, static_cast<int>(dpi), 96);
            SendMessageW(control.window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                         MAKELONG(margin, margin));
        }
        if (row.picture != layout::Picture::None) {
            HBITMAP &bitmap = pictures_[row.picture];
            if (bitmap)
                DeleteObject(bitmap);
            bitmap = pictureBitmap(row.picture, dpi);
            SendMessageW(control.window, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(bitmap));
        }
        placeControl(control);
    }
    canvas_.setDpi(dpi);
    const SIZE size = canvas_.size();
    SetWindowPos(canvasWindow_, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

// At the control's place in twips, at the window's DPI; a picture keeps the control's size
// rather than its bitmap's.
void HalmiraWindow::placeControl(const Control &control)
{
    const layout::Control &row = *control.row;
    MoveWindow(control.window, devicePixels(control.left, dpi_), devicePixels(control.top, dpi_),
               devicePixels(row.width, dpi_), devicePixels(row.height, dpi_), TRUE);
}

// The design font at its size in pixels at 96 dpi, scaled to the window's DPI. Where the
// design's face is missing, Windows takes a TrueType face of its metrics.
HFONT HalmiraWindow::font(const layout::Font &design)
{
    const int pixels = MulDiv(layout::fontPixels(design), static_cast<int>(dpi_), 96);
    HFONT &made = fonts_[{pixels, design.bold}];
    if (!made)
        made =
            CreateFontW(-pixels, 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                        EASTEUROPE_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, wide(layout::fontFamily).c_str());
    return made;
}

const HalmiraWindow::Control &HalmiraWindow::control(std::string_view name) const
{
    const auto found = controls_.find(name);
    if (found == controls_.end())
        raiseRuntimeError(ErrorCodes::ObjectRequired);
    return found->second;
}

const HalmiraWindow::Control &HalmiraWindow::control(std::string_view name, layout::Kind kind) const
{
    const Control &found = control(name);
    if (found.row->kind != kind)
        raiseRuntimeError(ErrorCodes::NotSupported);
    return found;
}

const HalmiraWindow::Control *HalmiraWindow::controlOf(HWND window) const
{
    for (const auto &[name, control] : controls_)
        if (control.window == window)
            return &control;
    return nullptr;
}

void HalmiraWindow::raise(Handler handler)
{
    if (!held_.mayRun()) {
        // A handler asked for during another, as by a screen reader's click, waits for it.
        held_.defer({static_cast<DWORD>(GetMessageTime()), [this, handler] { raise(handler); }});
        return;
    }
    held_.begin();
    schedule_.start(steady_clock::now());
    timeBeginPeriod(1); // sleeps of a millisecond, not of the system's default tick
    std::optional<ErrorCodes::Code> failed;
    try {
        runHandler(handler, *this, *this, language_);
    } catch (const RuntimeError &error) {
        failed = error.code();
    } catch (const std::exception &) {
        failed = ErrorCodes::InternalError;
    }
    timeEndPeriod(1);
    if (pendingSince_)
        present(); // an error's box shows over what was drawn up to it
    if (failed) {
        report(*failed);
        return;
    }
    held_.end();
    if (quitAsked_)
        PostQuitMessage(exitStatus_);
}

void HalmiraWindow::report(ErrorCodes::Code code)
{
    held_.discard();
    exitStatus_ = 1;
    MessageBoxW(window_, wide(errorReport(code, language_)).c_str(),
                words(Text::ProgramName, language_).c_str(), MB_OK | MB_ICONERROR);
    DestroyWindow(window_);
}

void HalmiraWindow::deliverHeld()
{
    while (const Held *next = held_.peek()) {
        MSG input;
        if (PeekMessageW(&input, nullptr, 0, 0, PM_NOREMOVE | PM_QS_INPUT) &&
            static_cast<LONG>(input.time - next->time) <= 0)
            return; // the input came first
        if (replayPaused())
            return;
        if (auto item = held_.next())
            item->action();
    }
}

// Input that comes while held items are still to be delivered, and came after the next of them,
// waits behind them: posted input reaches the loop before the input Windows holds, and before
// the held items that deliverHeld() posts again.
bool HalmiraWindow::holdInput(const MSG &message)
{
    if (!isInput(message.message) || !held_.holding())
        return false;
    const Held *next = held_.peek();
    if (next && static_cast<LONG>(message.time - next->time) <= 0)
        return false; // it came first
    held_.defer({message.time, [this, message] { replay(message); }});
    return true;
}

// Held input, handled as the message loop handles what it takes from the queue.
void HalmiraWindow::replay(MSG message)
{
    if (takeKey(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// A test build may be asked to deliver held items no faster than one in HALMIRA_REPLAY_PAUSE_MS,
// as a slow machine would, so that a test can give input in between. A timer wakes the loop.
bool HalmiraWindow::replayPaused()
{
    if (replayPause_.count() <= 0)
        return false;
    const auto now = steady_clock::now();
    if (now - lastDelivery_ < replayPause_) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(replayPause_ - (now - lastDelivery_));
        SetTimer(window_, replayTimer, static_cast<UINT>(left.count()), nullptr);
        return true;
    }
    lastDelivery_ = now;
    return false;
}

bool HalmiraWindow::takeKey(const MSG &message)
{
    if (message.message != WM_KEYDOWN || !window_ || !IsChild(window_, message.hwnd))
        return false;
    if (message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(window_, message.hwnd, back))
            SetFocus(next);
        return true;
    }
    const Control *focused = controlOf(message.hwnd);
    if (!focused)
        return false;
    const Key key = keyOf(message.wParam);
    const bool repeat = (message.lParam & (1 << 30)) != 0;
    if (focused->row->kind == layout::Kind::CommandButton && buttonClick(key) == ClickOn::Press) {
        if (!repeat && !modifierDown())
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    if (focused->row->kind == layout::Kind::ScrollBar && scrollMove(key) != Move::None &&
        !modifierDown()) {
        scrollTo(message.hwnd, scrolled(scrollMove(key), GetScrollPos(message.hwnd, SB_CTL)), true);
        return true;
    }
    return false;
}

// A scroll bar moved by the user: its Change handler runs when its value has changed. A drag
// moves the thumb only, and reports its value once, on release.
void HalmiraWindow::scrollTo(HWND bar, int value, bool report)
{
    SetScrollPos(bar, SB_CTL, value, TRUE);
    auto *moved = const_cast<Control *>(controlOf(bar));
    if (!report || !moved || value == moved->reported)
        return;
    moved->reported = value;
    if (const auto handler = handlerFor(moved->row->name, Event::Change))
        raise(*handler);
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
            if (const Control *clicked = controlOf(reinterpret_cast<HWND>(l)))
                if (const auto handler = handlerFor(clicked->row->name, Event::Click))
                    raise(*handler);
        return 0;
    case WM_HSCROLL: {
        HWND bar = reinterpret_cast<HWND>(l);
        const int now = GetScrollPos(bar, SB_CTL);
        switch (LOWORD(w)) {
        case SB_LINELEFT:
        case SB_PAGELEFT:
            scrollTo(bar, scrolled(Move::Back, now), true);
            break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
            scrollTo(bar, scrolled(Move::On, now), true);
            break;
        case SB_LEFT:
            scrollTo(bar, scrolled(Move::First, now), true);
            break;
        case SB_RIGHT:
            scrollTo(bar, scrolled(Move::Last, now), true);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(bar, SB_CTL, &info);
            scrollTo(bar, info.nTrackPos, LOWORD(w) == SB_THUMBPOSITION);
            break;
        }
        default:
            break;
        }
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        // Captions stand on the window's background; the pace box keeps a text box's colours.
        const Control *control = controlOf(reinterpret_cast<HWND>(l));
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
    case WM_TIMER:
        if (w == replayTimer) {
            KillTimer(window_, replayTimer);
            return 0;
        }
        break;
    case WM_CLOSE:
        // A close request during a handler waits for it, in order with the held input.
        if (held_.busy()) {
            held_.defer({static_cast<DWORD>(GetMessageTime()),
                         [this] { SendMessageW(window_, WM_CLOSE, 0, 0); }});
            return 0;
        }
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        held_.discard();
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

void HalmiraWindow::drawn()
{
    ++stats_.figures;
    canvas_.paintPending();
    const auto now = steady_clock::now();
    if (!pendingSince_)
        pendingSince_ = now;
    else if (now - *pendingSince_ >= pace::busy)
        present();
}

// Copies what was drawn to the screen, and looks at the queue, which is when Windows shows it.
void HalmiraWindow::present()
{
    const auto start = steady_clock::now();
    const RECT dirty = canvas_.takeDirty();
    if (canvasWindow_ && !IsRectEmpty(&dirty)) {
        InvalidateRect(canvasWindow_, &dirty, FALSE);
        UpdateWindow(canvasWindow_);
    }
    pump();
    const auto end = steady_clock::now();
    if (pendingSince_)
        stats_.worstDelay = std::max(stats_.worstDelay, end - *pendingSince_);
    stats_.presenting += end - start;
    ++stats_.presents;
    pendingSince_.reset();
}

void HalmiraWindow::pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0,
                        PM_REMOVE | PM_QS_PAINT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
        if (message.message == WM_QUIT) {
            quitAsked_ = true; // asked for again once the handler has returned
            continue;
        }
        // A scroll-bar arrow held as the run started repeats no further until it is over.
        if (message.hwnd && (message.message == WM_TIMER || message.message == wmSysTimer) &&
            controlOf(message.hwnd))
            continue;
        if (isInput(message.message)) {
            // Input posted by another program waits with the rest.
            held_.defer({message.time, [this, message] { replay(message); }});
            continue;
        }
        DispatchMessageW(&message);
    }
}

void HalmiraWindow::waitUntil(steady_clock::time_point deadline)
{
    const auto wake = schedule_.wait(deadline, steady_clock::now());
    if (!wake)
        return;
    if (pendingSince_)
        present(); // what was drawn shows while the handler sleeps
    const auto start = steady_clock::now();
    for (auto now = start; now < *wake; now = steady_clock::now()) {
        // Woken by anything a window must answer, but not by the user's input.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*wake - now);
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()),
                                    QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_TIMER, 0);
        pump();
    }
    const auto now = steady_clock::now();
    stats_.slept += now - start;
    schedule_.resumed(now);
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

void HalmiraWindow::setScaleMode(ScaleMode) {}

void HalmiraWindow::setDrawWidth(int pixels)
{
    canvas_.stream().setDrawWidth(pixels);
}

void HalmiraWindow::setDrawStyle(DrawStyle style)
{
    canvas_.stream().setDrawStyle(style);
}

void HalmiraWindow::setFillStyle(FillStyle style)
{
    canvas_.stream().setFillStyle(style);
}

void HalmiraWindow::setFillColor(Colour colour)
{
    canvas_.stream().setFillColor(colour);
}

void HalmiraWindow::Line(float x1, float y1, float x2, float y2)
{
    canvas_.stream().line(x1, y1, x2, y2, figures::foreColor);
    drawn();
}

void HalmiraWindow::Line(float x1, float y1, float x2, float y2, Colour colour)
{
    canvas_.stream().line(x1, y1, x2, y2, static_cast<float>(colour));
    drawn();
}

void HalmiraWindow::Circle(float x, float y, float radius)
{
    canvas_.stream().circle(x, y, radius);
    drawn();
}

std::string HalmiraWindow::text(std::string_view name) const
{
    HWND box = control(name, layout::Kind::TextBox).window;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void HalmiraWindow::setText(std::string_view name, std::string_view text)
{
    SetWindowTextW(control(name, layout::Kind::TextBox).window, wide(text).c_str());
}

void HalmiraWindow::setLeft(std::string_view name, double twips)
{
    auto &moved = const_cast<Control &>(control(name));
    moved.left = twips;
    placeControl(moved);
}

void HalmiraWindow::setTop(std::string_view name, double twips)
{
    auto &moved = const_cast<Control &>(control(name));
    moved.top = twips;
    placeControl(moved);
}

void HalmiraWindow::setVisible(std::string_view name, bool visible)
{
    ShowWindow(control(name).window, visible ? SW_SHOWNA : SW_HIDE);
}

int HalmiraWindow::value(std::string_view name) const
{
    return GetScrollPos(control(name, layout::Kind::ScrollBar).window, SB_CTL);
}

std::string HalmiraWindow::decimalPoint() const
{
    wchar_t point[8] = L".";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, point, 8);
    return narrow(point);
}

void HalmiraWindow::unload()
{
    DestroyWindow(window_);
}
