#include "app/canvasview.h"

#include "core/animation/scene.h"
#include "core/pace.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {
constexpr qint64 busyNs = std::chrono::nanoseconds(pace::busy).count();
constexpr qint64 frameNs = std::chrono::nanoseconds(pace::frame).count();
constexpr QSize largest(scene::largestPixelWidth, scene::largestPixelHeight);
} // namespace

CanvasView::CanvasView(QWidget *parent)
    : QWidget(parent), canvas_(QSize(scene::pixelWidth, scene::pixelHeight),
                               parent ? parent->devicePixelRatioF() : 1.0)
{
    // Clicks go to the controls beneath where nothing covers them; the canvas only shows.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    clock_.start();
}

void CanvasView::drawn()
{
    ++stats_.figures;
    canvas_.paintPending();
    const qint64 now = clock_.nsecsElapsed();
    if (pendingSince_ < 0)
        pendingSince_ = now;
    else if (now - pendingSince_ >= busyNs)
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
    // Lets the window system's events through, so the window repaints itself when uncovered
    // and a screen reader hears the keys at once; the input gate holds the window's input for
    // after the handler.
    QCoreApplication::processEvents();
    const qint64 end = clock_.nsecsElapsed();
    if (pendingSince_ >= 0)
        stats_.worstDelayNanoseconds = std::max(stats_.worstDelayNanoseconds, end - pendingSince_);
    stats_.presentNanoseconds += end - start;
    ++stats_.presents;
    pendingSince_ = -1;
    lastEvents_ = end;
}

std::chrono::nanoseconds CanvasView::untilFrameDue() const
{
    const qint64 dueAt = pendingSince_ >= 0 ? pendingSince_ + busyNs : lastEvents_ + frameNs;
    return std::chrono::nanoseconds(dueAt - clock_.nsecsElapsed());
}

void CanvasView::serviceFrame()
{
    if (pendingSince_ >= 0) {
        present();
        return;
    }
    QCoreApplication::processEvents();
    lastEvents_ = clock_.nsecsElapsed();
}

void CanvasView::paintEvent(QPaintEvent *event)
{
    canvas_.setDevicePixelRatio(devicePixelRatioF());
    if (canvas_.isBlank())
        return; // nothing drawn yet: the controls beneath show through
    const QImage &image = canvas_.image();
    const QRect area = event->rect();
    const qreal ratio = image.devicePixelRatio();
    // The source is the area in whole device pixels of the image, and the target exactly those
    // pixels in logical units: at a fractional ratio a logical edge falls inside a device pixel,
    // which would otherwise keep what was painted beneath it.
    const QRect source = QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio)
                             .toAlignedRect()
                             .intersected(image.rect());
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(source.topLeft()) / ratio, QSizeF(source.size()) / ratio),
                      image, source);
}

void CanvasView::resizeEvent(QResizeEvent *event)
{
    // Nothing is drawn beyond the scene, so a larger window needs no larger image.
    canvas_.ensureSize(size().boundedTo(largest));
    QWidget::resizeEvent(event);
}
