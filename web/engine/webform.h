#pragma once

#include "core/figurestream.h"
#include "core/window/detachedform.h"

// The window as the browser gives it to the handlers. Figures and drawing state go to the page
// as the engine's figure stream, handed over at each wait, before a control changes and when the
// handler returns; what the controls hold is mirrored here, set from the page before each
// handler runs.
class WebForm : public DetachedForm
{
public:
    explicit WebForm(Language language = Language::Czech) : DetachedForm(language) {}

    // What a text box holds, as the page hands it in.
    void setControlText(std::string_view control, std::string_view text);
    FigureStream &figures() { return stream_; }
    // Hands the figures not yet handed over to the host.
    void flush();

    void setDrawWidth(int pixels) override;
    void setDrawStyle(DrawStyle style) override;
    void setFillStyle(FillStyle style) override;
    void setFillColor(Colour colour) override;
    void Line(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Colour colour) override;
    void Circle(float x, float y, float radius) override;
    void setText(std::string_view control, std::string_view text) override;
    void setLeft(std::string_view control, double twips) override;
    void setTop(std::string_view control, double twips) override;
    void setVisible(std::string_view control, bool visible) override;
    void unload() override;
    void waitUntil(std::chrono::steady_clock::time_point deadline) override;

private:
    FigureStream stream_;
};
