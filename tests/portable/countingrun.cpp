// Runs the Load and Start handlers on a form that only counts, and prints what one run made.
// It needs nothing but the engine and the standard library, so it builds for any platform.
#include "core/animation/startclick.h"
#include "core/form.h"
#include "core/window/handlers.h"

#include <cstdio>
#include <map>

namespace {

class CountingForm : public Form
{
public:
    long long figures = 0;
    long long waits = 0;

    void setScaleMode(ScaleMode) override {}
    void setDrawWidth(int) override {}
    void setDrawStyle(DrawStyle) override {}
    void setFillStyle(FillStyle) override {}
    void setFillColor(Colour) override {}
    void Line(float, float, float, float) override { ++figures; }
    void Line(float, float, float, float, Colour) override { ++figures; }
    void Circle(float, float, float) override { ++figures; }
    std::string text(std::string_view control) const override
    {
        const auto found = texts_.find(control);
        return found == texts_.end() ? std::string() : found->second;
    }
    void setText(std::string_view control, std::string_view text) override
    {
        texts_[std::string(control)] = text;
    }
    void setLeft(std::string_view, double) override {}
    void setTop(std::string_view, double) override {}
    void setVisible(std::string_view, bool) override {}
    int value(std::string_view) const override { return 0; }
    std::string decimalPoint() const override { return "."; }
    void unload() override {}
    // Time need not pass: the count of waits is what matters here.
    void waitUntil(std::chrono::steady_clock::time_point) override { ++waits; }

private:
    std::map<std::string, std::string, std::less<>> texts_;
};

} // namespace

int main()
{
    CountingForm form;
    formLoad(form);
    comStartClick(form);
    std::printf("%lld figures, %lld waits\n", form.figures, form.waits);
    return 0;
}
