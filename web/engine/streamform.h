#pragma once

#include "core/figurestream.h"
#include "core/window/detachedform.h"

// A window with no screen that keeps what is drawn on it as the engine's figure stream.
class StreamForm : public DetachedForm
{
public:
    explicit StreamForm(Language language = Language::Czech) : DetachedForm(language) {}

    FigureStream &figures() { return stream_; }

    void setDrawWidth(int pixels) override;
    void setDrawStyle(DrawStyle style) override;
    void setFillStyle(FillStyle style) override;
    void setFillColor(Colour colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void Circle(float x, float y, float radius) override;

private:
    FigureStream stream_;
};
