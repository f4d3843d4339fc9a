#pragma once

#include "app/canvas.h"

#include <QElapsedTimer>
#include <QWidget>

#include <chrono>

// Counters a benchmark reads to see what presenting cost.
struct PresentStats {
    long long figures = 0;
    long long presents = 0;
    long long presentNanoseconds = 0;
    long long waitNanoseconds = 0;       // in waitUntil, less the presents made meanwhile
    long long worstDelayNanoseconds = 0; // from a figure being drawn to its reaching the screen
};

// Shows the canvas. A handler that draws never returns to the event loop, so the view presents
// by itself: once a frame's worth of time has passed since the oldest figure not yet shown, it
// repaints just the dirty rectangle and lets the window system's non-input events through.
class CanvasView : public QWidget
{
public:
    // A frame is about 16.7 ms; presenting takes a little, so a present starts a bit earlier.
    static constexpr std::chrono::milliseconds frame{14};

    // The image starts at the scene's size and grows with the view up to the largest size.
    CanvasView(QWidget *parent, QSize sceneSize, QSize largest);

    Canvas &canvas() { return canvas_; }

    // Called after each figure; presents when a frame is due.
    void drawn();
    // Presents whatever is pending, now.
    void flush();
    // Sleeps until the deadline, presenting and repainting every frame meanwhile.
    void waitUntil(std::chrono::steady_clock::time_point deadline);

    const PresentStats &stats() const { return stats_; }
    void resetStats() { stats_ = {}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void present();
    // Sleeps to just before the deadline, then spins the last few microseconds, so that a
    // short wait is neither cut short nor stretched by the scheduler's wake-up latency.
    void sleepUntil(std::chrono::steady_clock::time_point deadline);

    Canvas canvas_;
    QSize largest_;
    QElapsedTimer clock_;
    qint64 pendingSince_ = -1; // nanoseconds on clock_, or -1 when everything is shown
    qint64 lastEvents_ = 0;
    std::chrono::nanoseconds wakeLatency_{50'000}; // learnt from each sleep
    PresentStats stats_;
};
