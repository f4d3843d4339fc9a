#pragma once

#include "core/window/detachedform.h"

#include "web/engine/figures.h"

#include <vector>

// The window as the browser gives it to the handlers. Figures and drawing state go to the page
// as a stream of records, handed over at each wait and when the handler returns; what the
// controls hold is mirrored here, set from the page before each handler runs.
class WebForm : public DetachedForm
{
public:
    // What a text box holds, as the page hands it in.
    void setControlText(std::string_view control, std::string_view text);
    // Tells the page that what is drawn next paints over everything drawn so far.
    void covered();
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
    void record(figures::Op op, float a = 0, float b = 0, float c = 0, float d = 0, float e = 0);
    void line(float x1, float y1, float x2, float y2, float colour);

    std::vector<figures::Record> records_;
};
