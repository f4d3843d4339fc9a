// What the handlers draw and ask of the controls, and presenting while a handler runs: the
// drawing into the back buffer by the engine's figure stream, shown within a quarter frame, and
// the engine's pace schedule kept with a look at the queue that takes no input.
#include "core/runtimeerror.h"
#include "win/unicode.h"
#include "win/window.h"

#include <algorithm>

using std::chrono::steady_clock;

namespace {

constexpr UINT wmSysTimer = 0x0118; // the timer a scroll bar repeats its steps by

} // namespace

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
            controls_.of(message.hwnd))
            continue;
        if (isInput(message.message)) {
            gate_.hold(message); // posted by another program, it waits with the rest
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
    HWND box = controls_.named(name, layout::Kind::TextBox).window;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void HalmiraWindow::setText(std::string_view name, std::string_view text)
{
    SetWindowTextW(controls_.named(name, layout::Kind::TextBox).window, wide(text).c_str());
}

void HalmiraWindow::setLeft(std::string_view name, double twips)
{
    auto &moved = controls_.named(name);
    moved.left = twips;
    controls_.place(moved);
}

void HalmiraWindow::setTop(std::string_view name, double twips)
{
    auto &moved = controls_.named(name);
    moved.top = twips;
    controls_.place(moved);
}

void HalmiraWindow::setVisible(std::string_view name, bool visible)
{
    ShowWindow(controls_.named(name).window, visible ? SW_SHOWNA : SW_HIDE);
}

int HalmiraWindow::value(std::string_view name) const
{
    return GetScrollPos(controls_.named(name, layout::Kind::ScrollBar).window, SB_CTL);
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
