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
    // Linux's default 50 µs of timer slack on every sleep would wake the pacer late for its
    // frames. The slack is the process's, so set it once.
    static std::once_flag slack;
    std::call_once(slack, [] { prctl(PR_SET_TIMERSLACK, 1000UL); });
#endif
}

void Pacer::start()
{
    schedule_.start(steady_clock::now());
}

void Pacer::waitUntil(steady_clock::time_point deadline, CanvasView &view)
{
    const auto start = steady_clock::now();
    const auto wake = schedule_.wait(deadline, start);
    if (!wake)
        return;
    const long long presentingBefore = view.stats().presentNanoseconds;
    view.flush(); // what was drawn shows while the handler sleeps
    for (;;) {
        // A screen reader's questions come as calls posted to this thread: they are answered
        // within a millisecond, not at the next frame.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        const auto frameDue = view.untilFrameDue();
        if (frameDue <= std::chrono::nanoseconds(0)) {
            view.serviceFrame();
            continue;
        }
        const auto next =
            steady_clock::now() + std::min<steady_clock::duration>(frameDue, answerEvery);
        if (*wake <= next) {
            std::this_thread::sleep_until(*wake);
            break;
        }
        std::this_thread::sleep_until(next);
    }
    const auto now = steady_clock::now();
    schedule_.resumed(now);
    waited_ +=
        now - start - std::chrono::nanoseconds(view.stats().presentNanoseconds - presentingBefore);
}
