#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// A colour as &H00BBGGRR: red in the lowest byte, then green, then blue.
using Colour = std::uint32_t;

enum class ScaleMode { Twips = 1 };
enum class DrawStyle { Solid = 0, Dotted = 2 };
enum class FillStyle { Solid = 0, Transparent = 1 };

// What the event handlers see of the window: its drawing state, the two figures and its
// controls, addressed by name. Each platform's window implements it, as do the detached form
// and the stand-ins built on it and the tests' recording form, so a handler never knows which
// one it is drawing on.
class Form
{
public:
    virtual ~Form() = default;

    // Drawing state, kept until changed. ForeColor is never set by the program: it stays black.
    virtual void setScaleMode(ScaleMode mode) = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual void setDrawStyle(DrawStyle style) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual void setFillColor(Colour colour) = 0;

    // Figures, in twips from the top left of the client area. A segment without a colour,
    // and a circle's rim, use ForeColor.
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    virtual void Circle(float x, float y, float radius) = 0;

    // Controls by name.
    virtual std::string text(std::string_view control) const = 0;
    virtual void setText(std::string_view control, std::string_view text) = 0;
    virtual void setLeft(std::string_view control, double twips) = 0;
    virtual void setTop(std::string_view control, double twips) = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    virtual int value(std::string_view control) const = 0;

    // The user's decimal point, in UTF-8, for the numbers the handlers write and read.
    virtual std::string decimalPoint() const = 0;

    // Closes the window, which ends the program.
    virtual void unload() = 0;

    // Lets time pass inside a handler: what was drawn keeps reaching the screen and the window
    // keeps repainting itself, while user input stays held back.
    virtual void waitUntil(std::chrono::steady_clock::time_point deadline) = 0;
};
