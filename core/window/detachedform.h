#pragma once

#include "core/form.h"
#include "core/window/layout.h"

#include <map>
#include <string>

// The window with no screen: what its controls hold, kept in memory from the layout's initial
// texts, and figures and waits that do nothing. A stand-in that draws or counts overrides the
// figures; a platform that shows the controls overrides their changes and calls on to these.
class DetachedForm : public Form
{
public:
    explicit DetachedForm(Language language = Language::Czech);

    // The scroll bar's value and the decimal point, as the platform hands them in.
    void setValue(std::string_view control, int value);
    void setDecimalPoint(std::string_view point) { decimalPoint_ = point; }

    void setScaleMode(ScaleMode) override {}
    void setDrawWidth(int) override {}
    void setDrawStyle(DrawStyle) override {}
    void setFillStyle(FillStyle) override {}
    void setFillColor(Colour) override {}
    void Line(float, float, float, float) override {}
    void Line(float, float, float, float, Colour) override {}
    void Circle(float, float, float) override {}
    std::string text(std::string_view control) const override;
    void setText(std::string_view control, std::string_view text) override;
    void setLeft(std::string_view control, double twips) override;
    void setTop(std::string_view control, double twips) override;
    void setVisible(std::string_view control, bool visible) override;
    int value(std::string_view control) const override;
    std::string decimalPoint() const override { return decimalPoint_; }
    // Where a control stands now, in twips, and whether it shows.
    double left(std::string_view control) const;
    double top(std::string_view control) const;
    bool visible(std::string_view control) const;
    void unload() override {}
    void waitUntil(std::chrono::steady_clock::time_point) override {}

protected:
    // The layout's row for a control, as the desktop window finds its widgets: a name it lacks
    // is the runtime's "object required", a control of another kind "not supported".
    static const layout::Control &control(std::string_view name);
    static const layout::Control &control(std::string_view name, layout::Kind kind);

private:
    std::map<std::string, std::string, std::less<>> texts_;
    std::map<std::string, int, std::less<>> values_;
    struct Placed {
        double left, top;
        bool visible;
    };
    std::map<std::string, Placed, std::less<>> placed_;
    std::string decimalPoint_ = ".";
};
