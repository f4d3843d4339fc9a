#pragma once

#include <chrono>

class CanvasView;

// Keeps the pace waits of a handler that never returns to the event loop: it sleeps to each
// deadline, and wakes meanwhile whenever the view has a frame to present or the window system's
// events to let through.
class Pacer
{
public:
    Pacer();

    void waitUntil(std::chrono::steady_clock::time_point deadline, CanvasView &view);

    // Time spent in waitUntil, less what presenting took meanwhile; for a benchmark.
    std::chrono::nanoseconds waited() const { return waited_; }
    void resetWaited() { waited_ = {}; }

private:
    // Sleeps to just before the deadline, then spins the last few microseconds, so that a
    // short wait is neither cut short nor stretched by the scheduler's wake-up latency.
    void sleepUntil(std::chrono::steady_clock::time_point deadline);

    std::chrono::nanoseconds wakeLatency_{50'000}; // learnt from each sleep
    std::chrono::nanoseconds waited_{0};
};
