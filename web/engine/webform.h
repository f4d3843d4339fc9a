#pragma once

#include "core/form.h"

#include <map>
#include <string>
#include <vector>

// The window as the browser gives it to the handlers. Figures and drawing state go to the page
// as a stream of records, handed over at each wait and when the handler returns; what the
// controls hold is mirrored here, set from the page before each handler runs.
class WebForm : public Form
{
public:
    void setControlText(std::string_view control, std::string_view text);
    void setControlValue(std::string_view control, int value);
    void setDecimalPoint(std::string_view point) { decimalPoint_ = point; }
    // Hands the figures not yet handed over to the host.
    void flush();

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
    std::string decimalPoint() const override { return decimalPoint_; }
    void unload() override;
    void waitUntil(std::chrono::steady_clock::time_point deadline) override;

private:
    void record(float op, float a = 0, float b = 0, float c = 0, float d = 0, float e = 0);

    std::vector<float> records_;
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, int, std::less<>> values_;
    std::string decimalPoint_ = ".";
};
