#pragma once

#include "core/errors.h"
#include "core/form.h"
#include "core/pace.h"
#include "core/window/inputqueue.h"
#include "core/window/layout.h"
#include "core/window/wiring.h"
#include "win/canvas.h"
#include "win/speech.h"

#include <windows.h>

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

// Counters a benchmark reads to see what presenting cost.
struct PresentStats {
    long long figures = 0;
    long long presents = 0;
    std::chrono::nanoseconds presenting{0};
    std::chrono::nanoseconds worstDelay{0}; // from a figure drawn to its window painted
    std::chrono::nanoseconds slept{0};
};

// The program's one window, in plain Win32: native controls built from the engine's layout
// table and wired by its table of handlers, a back buffer for the drawing, and the window
// procedure. Handlers run one at a time. While one runs, Windows keeps the user's input in its
// queue, as it keeps a busy program's; the window looks only at painting, sent and posted
// messages, and holds what it must not act on yet (a close request, a handler asked for) in the
// engine's queue. The message loop delivers those afterwards, in time order with the input.
class HalmiraWindow final : public Form, private RunListener
{
public:
    HalmiraWindow(HINSTANCE instance, Language language);
    ~HalmiraWindow() override;
    HalmiraWindow(const HalmiraWindow &) = delete;
    HalmiraWindow &operator=(const HalmiraWindow &) = delete;

    HWND handle() const { return window_; }
    int exitStatus() const { return exitStatus_; }
    // Runs a handler as a control's event would.
    void raise(Handler handler);

    // The message loop's part, before it waits: the held items that came before any input
    // Windows still holds.
    void deliverHeld();
    // Input from the queue that must wait behind what is still held; true when it was held.
    bool holdInput(const MSG &message);
    void replay(MSG message);
    // Keys the window's rules take before Windows translates them: Tab among the controls,
    // Enter on a button, the scroll bar's keys. True when the key was taken.
    bool takeKey(const MSG &message);

    const PresentStats &stats() const { return stats_; }
    void resetStats() { stats_ = {}; }

    void setScaleMode(ScaleMode mode) override;
    void setDrawWidth(int pixels) override;
    void setDrawStyle(DrawStyle style) override;
    void setFillStyle(FillStyle style) override;
    void setFillColor(Colour colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void Circle(float x, float y, float radius) override;
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void setLeft(std::string_view control, double twips) override;
    void setTop(std::string_view control, double twips) override;
    void setVisible(std::string_view control, bool visible) override;
    int value(std::string_view control) const override;
    std::string decimalPoint() const override;
    void unload() override;
    void waitUntil(std::chrono::steady_clock::time_point deadline) override;

private:
    struct Control {
        const layout::Control *row;
        HWND window;
        double left, top; // twips
        int reported;     // a scroll bar's value as its Change handler last heard it
    };
    struct Held {
        DWORD time; // when it was given, on the clock of Windows' messages
        std::function<void()> action;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK canvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT message(UINT message, WPARAM w, LPARAM l);

    void createControls(HINSTANCE instance);
    // Fonts, places, pictures and the back buffer for a DPI.
    void place(UINT dpi);
    void placeControl(const Control &control);
    HFONT font(const layout::Font &design);
    const Control &control(std::string_view name, layout::Kind kind) const;
    const Control &control(std::string_view name) const;
    const Control *controlOf(HWND window) const;

    void report(ErrorCodes::Code code);
    void scrollTo(HWND bar, int value, bool report);
    void drawn();
    void present();
    // During a run: painting, sent and posted messages, and nothing the user gives.
    void pump();
    bool replayPaused();

    void sceneCovers() override;
    void announce(std::string_view words) override;
    void describeScene(std::string_view description) override;

    Language language_;
    HWND window_ = nullptr;
    HWND canvasWindow_ = nullptr;
    HWND focus_ = nullptr; // the control with the focus while the window has it
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::map<std::string, Control, std::less<>> controls_;
    std::map<std::pair<int, bool>, HFONT> fonts_;
    std::map<layout::Picture, HBITMAP> pictures_;
    HBRUSH background_ = nullptr;
    HHOOK keyFilter_ = nullptr;
    Canvas canvas_;
    Speech speech_;
    InputQueue<Held> held_;
    pace::Schedule schedule_;
    std::optional<pace::Clock::time_point> pendingSince_;
    PresentStats stats_;
    std::chrono::milliseconds replayPause_{0};
    pace::Clock::time_point lastDelivery_{};
    int exitStatus_ = 0;
    bool quitAsked_ = false;
};
