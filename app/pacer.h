#pragma once

#include "core/pace.h"

#include <chrono>

class CanvasView;

// Keeps the pace waits of a handler that never returns to the event loop, by the engine's pace
// schedule: the handler runs on until it is a frame ahead or has kept the window busy a quarter
// of a frame; then the view presents, and the pacer sleeps once, waking meanwhile whenever the
// view has a frame to serve or a screen reader a question.
class Pacer
{
public:
    Pacer();

    // A handler starts.
    void start();
    void waitUntil(std::chrono::steady_clock::time_point deadline, CanvasView &view);

    // Time spent asleep in waitUntil, less what presenting took meanwhile; for a benchmark.
    std::chrono::nanoseconds waited() const { return waited_; }
    void resetWaited() { waited_ = {}; }

private:
    pace::Schedule schedule_;
    std::chrono::nanoseconds waited_{0};
};
