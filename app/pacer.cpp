#include "app/pacer.h"

#include "app/canvasview.h"

#include <QCoreApplication>

#include <algorithm>
#include <mutex>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif

using std::chrono::steady_clock;

namespace {
constexpr std::chrono::milliseconds answerEvery{1};
} // namespace

Pacer::Pacer()
{
#ifdef __linux__
    // The pace waits are a fraction of a millisecond each; Linux's default 50 µs of timer slack
    // on every sleep would stretch a run by a sixth. The slack is the process's, so set it once.
    static std::once_flag slack;
    std::call_once(slack, [] { prctl(PR_SET_TIMERSLACK, 1000UL); });
#endif
}

void Pacer::waitUntil(steady_clock::time_point deadline, CanvasView &view)
{
    const auto start = steady_clock::now();
    const long long presentingBefore = view.stats().presentNanoseconds;
    for (;;) {
        // A screen reader's questions come as calls posted to this thread: they are answered
        // within a millisecond, not at the next frame.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        const auto frameDue = view.untilFrameDue();
        if (frameDue <= std::chrono::nanoseconds(0)) {
            view.serviceFrame();
            continue;
        }
        const auto wake =
            steady_clock::now() + std::min<steady_clock::duration>(frameDue, answerEvery);
        if (deadline <= wake) {
            sleepUntil(deadline);
            break;
        }
        std::this_thread::sleep_until(wake);
    }
    waited_ += steady_clock::now() - start -
               std::chrono::nanoseconds(view.stats().presentNanoseconds - presentingBefore);
}

void Pacer::sleepUntil(steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto early = deadline - wakeLatency_;
    if (steady_clock::now() < early) {
        std::this_thread::sleep_until(early);
        // Learn the latency slowly, so that one late wake-up does not turn the next waits
        // into spinning.
        const auto late = std::clamp(duration_cast<nanoseconds>(steady_clock::now() - early),
                                     nanoseconds(0), nanoseconds(milliseconds(1)));
        wakeLatency_ += (late - wakeLatency_) / 8;
    }
    while (steady_clock::now() < deadline) {
    }
}
