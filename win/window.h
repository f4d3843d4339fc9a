#pragma once

#include "core/errors.h"
#include "core/form.h"
#include "core/pace.h"
#include "core/picture/drawing.h"
#include "core/window/layout.h"
#include "core/window/wiring.h"
#include "win/canvas.h"
#include "win/controls.h"
#include "win/inputgate.h"
#include "win/speech.h"

#include <windows.h>

#include <chrono>
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
// procedure. Handlers run one at a time, behind the input gate. Its rooms:
// - window.cpp: the window procedure, a handler run and the error report;
// - controls.cpp: the controls, made and placed;
// - inputgate.cpp: the input held during a run and delivered after it;
// - keys.cpp: the window's keys and the wheel;
// - form.cpp: what the handlers draw and ask of the controls, and presenting during a run;
// - picturemenu.cpp: the teacher's picture, from the context menu and the keys.
class HalmiraWindow final : public Form, private RunListener
{
public:
    HalmiraWindow(HINSTANCE instance, Language language);
    ~HalmiraWindow() override;
    HalmiraWindow(const HalmiraWindow &) = delete;
    HalmiraWindow &operator=(const HalmiraWindow &) = delete;

    HWND handle() const { return window_; }
    int exitStatus() const { return exitStatus_; }
    InputGate &gate() { return gate_; }
    // Runs a handler as a control's event would.
    void raise(Handler handler);

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
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK canvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT message(UINT message, WPARAM w, LPARAM l);
    HWND makeCanvas(HINSTANCE instance);
    // Fonts, places, pictures and the back buffer for a DPI.
    void place(UINT dpi);

    void report(ErrorCodes::Code code);
    void scrollBarMoved(WPARAM how, HWND bar);
    void scrollTo(HWND bar, int value, bool report);
    // The wheel over the scroll bar steps it; true when it did.
    bool wheel(int delta, POINT screen);
    void drawn();
    void present();
    // During a run: painting, sent and posted messages, and nothing the user gives.
    void pump();

    enum class PictureEntry { Copy = 1, Save, Print };
    // After a run has drawn something.
    bool hasPicture() const;
    picture::Drawing picture() const;
    // The context menu, at a place on the screen, or over the drawing where none is given.
    void pictureMenu(LPARAM at);
    void pictureEntry(PictureEntry entry);
    // Ctrl+C, Ctrl+S and Ctrl+P where the focus is not in a text box; true when taken.
    bool pictureKey(const MSG &message);

    void sceneCovers() override;
    void announce(std::string_view words) override;
    void describeScene(std::string_view description) override;

    Language language_;
    HWND window_ = nullptr;
    HWND canvasWindow_ = nullptr;
    HWND focus_ = nullptr; // the control with the focus while the window has it
    HBRUSH background_ = nullptr;
    Controls controls_;
    Canvas canvas_;
    Speech speech_;
    InputGate gate_;
    pace::Schedule schedule_;
    std::optional<pace::Clock::time_point> pendingSince_;
    PresentStats stats_;
    int wheelTurned_ = 0; // what the wheel has turned short of a notch
    int exitStatus_ = 0;
    bool quitAsked_ = false;
};
