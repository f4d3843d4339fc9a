// Runs the Load and Start handlers on a form that only counts, and prints what one run made.
// It needs nothing but the engine and the standard library, so it builds for any platform.
#include "core/animation/startclick.h"
#include "core/window/detachedform.h"
#include "core/window/handlers.h"

#include <cstdio>

namespace {

class CountingForm : public DetachedForm
{
public:
    long long figures = 0;
    long long waits = 0;

    void Line(float, float, float, float) override { ++figures; }
    void Line(float, float, float, float, Colour) override { ++figures; }
    void Circle(float, float, float) override { ++figures; }
    // Time need not pass: the count of waits is what matters here.
    void waitUntil(std::chrono::steady_clock::time_point) override { ++waits; }
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
