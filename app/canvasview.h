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
    long long worstDelayNanoseconds = 0; // from a figure being drawn to its reaching the screen
};

// Shows the canvas. A handler that draws never returns to the event loop, so the view presents
// by itself: once the oldest figure not yet shown has waited as long as the pace schedule lets a
// handler keep the screen busy, it repaints just the dirty rectangle and lets the window system's
// events through. While the handler sleeps, the pacer asks it to do the same each frame.
class CanvasView : public QWidget
{
public:
    // The image starts at the scene's size and grows with the view up to the largest size.
    explicit CanvasView(QWidget *parent);

    Canvas &canvas() { return canvas_; }

    // Called after each figure; presents when a frame is due.
    void drawn();
    // Presents whatever is pending, now.
    void flush();
    // How long until a frame falls due: presenting what is pending, or else letting the window
    // system's events through so that it repaints; zero or less when it is due now.
    std::chrono::nanoseconds untilFrameDue() const;
    // Does what the frame is due for.
    void serviceFrame();

    const PresentStats &stats() const { return stats_; }
    void resetStats() { stats_ = {}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void present();

    Canvas canvas_;
    QElapsedTimer clock_;
    qint64 pendingSince_ = -1; // nanoseconds on clock_, or -1 when everything is shown
    qint64 lastEvents_ = 0;
    PresentStats stats_;
};
