#include "core/animation/pacewait.h"

#include "core/conversions.h"
#include "core/form.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double passesPerPaceUnit = 0.05;
// Today a bare pass takes about 0.3 ns, which would make the scroll bar's slowing invisible.
constexpr std::chrono::nanoseconds passDuration{100};
// Beyond this a double no longer counts in ones.
constexpr double mostPasses = 9007199254740992.0; // 2^53

} // namespace

long long paceWait(Form &form)
{
    const double bound =
        textToNumber(form.text("nSpomal"), form.decimalPoint()) * passesPerPaceUnit;
    const auto start = std::chrono::steady_clock::now();
    const long long passes =
        bound >= 1 ? static_cast<long long>(std::floor(std::min(bound, mostPasses))) : 0;
    // The store must really run: volatile keeps the optimiser from removing the loop.
    volatile int scratch = 0;
    for (long long j = 1; j <= passes; ++j)
        scratch = 1998;
    (void)scratch;
    if (passes > 0)
        form.waitUntil(start + passes * passDuration);
    return passes;
}
