#pragma once

#include "core/form.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

// A stand-in for the window that records every call a handler makes, in order, with the
// drawing state each figure was drawn in.
class RecordingForm : public Form
{
public:
    enum class Kind {
        ScaleMode,
        DrawWidth,
        DrawStyle,
        FillStyle,
        FillColor,
        Line,
        Circle,
        SetText,
        SetLeft,
        SetTop,
        SetVisible,
        Unload,
        Wait
    };

    struct Call {
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0; // a Line's ends, or a Circle's centre and radius
        bool hasColour = false;
        Colour colour = 0;
        int drawWidth = 0;
        DrawStyle drawStyle = DrawStyle::Solid;
        FillStyle fillStyle = FillStyle::Transparent;
        Colour fillColor = 0;
        std::string control;
        std::string text;
        double number = 0;
        std::chrono::nanoseconds wait{0}; // time left to the deadline when a wait was asked
    };

    std::vector<Call> calls;
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, int, std::less<>> values;

    // The figures only, in the order drawn.
    std::vector<Call> figures() const;
    long long count(Kind kind) const;

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
    Call &record(Kind kind);
    Call &record(Kind kind, std::string_view control, double number);

    int drawWidth_ = 1;
    DrawStyle drawStyle_ = DrawStyle::Solid;
    FillStyle fillStyle_ = FillStyle::Transparent;
    Colour fillColor_ = 0;
};
