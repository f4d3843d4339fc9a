#include "app/canvasview.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <thread>

namespace {
constexpr qint64 frameNs = std::chrono::nanoseconds(CanvasView::frame).count();
}

CanvasView::CanvasView(QWidget *parent, QSize sceneSize)
    : QWidget(parent), canvas_(sceneSize, parent ? parent->devicePixelRatioF() : 1.0)
{
    // Clicks go to the controls beneath where nothing covers them; the canvas only shows.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    clock_.start();
}

void CanvasView::drawn()
{
    ++stats_.figures;
    const qint64 now = clock_.nsecsElapsed();
    if (pendingSince_ < 0)
        pendingSince_ = now;
    else if (now - pendingSince_ >= frameNs)
        present();
}

void CanvasView::flush()
{
    if (pendingSince_ >= 0)
        present();
}

void CanvasView::present()
{
    const qint64 start = clock_.nsecsElapsed();
    canvas_.image(); // ends the painter, so the paint reads finished pixels
    repaint(canvas_.takeDirty());
    // Lets expose and resize events through, so the window repaints itself when uncovered,
    // while user input stays queued for after the handler.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const qint64 end = clock_.nsecsElapsed();
    if (pendingSince_ >= 0)
        stats_.worstDelayNanoseconds = std::max(stats_.worstDelayNanoseconds, end - pendingSince_);
    stats_.presentNanoseconds += end - start;
    ++stats_.presents;
    pendingSince_ = -1;
    lastEvents_ = end;
}

void CanvasView::waitUntil(std::chrono::steady_clock::time_point deadline)
{
    using std::chrono::steady_clock;
    for (;;) {
        const qint64 now = clock_.nsecsElapsed();
        const qint64 dueAt = pendingSince_ >= 0 ? pendingSince_ + frameNs : lastEvents_ + frameNs;
        if (now >= dueAt) {
            if (pendingSince_ >= 0) {
                present();
            } else {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                lastEvents_ = clock_.nsecsElapsed();
            }
            continue;
        }
        const auto wake = steady_clock::now() + std::chrono::nanoseconds(dueAt - now);
        if (deadline <= wake) {
            std::this_thread::sleep_until(deadline);
            return;
        }
        std::this_thread::sleep_until(wake);
    }
}

void CanvasView::paintEvent(QPaintEvent *event)
{
    canvas_.setDevicePixelRatio(devicePixelRatioF());
    const QImage &image = canvas_.image();
    const QRect area = event->rect();
    const qreal ratio = image.devicePixelRatio();
    // The source rectangle is in the image's device pixels, the target in logical ones.
    const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
    QPainter painter(this);
    painter.drawImage(QRectF(area), image, source);
}

void CanvasView::resizeEvent(QResizeEvent *event)
{
    canvas_.ensureSize(size());
    QWidget::resizeEvent(event);
}
