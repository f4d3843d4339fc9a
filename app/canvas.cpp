#include "app/canvas.h"

#include "core/twips.h"

#include <QPen>

#include <algorithm>
#include <utility>

QColor toQColor(Colour colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

namespace {

QPointF toPixels(float x, float y)
{
    return {x / twipsPerPixel, y / twipsPerPixel};
}

} // namespace

Canvas::Canvas(QSize logicalSize, qreal devicePixelRatio)
    : logicalSize_(logicalSize), ratio_(devicePixelRatio)
{
}

QImage &Canvas::pixels()
{
    if (image_.isNull()) {
        image_ =
            QImage((QSizeF(logicalSize_) * ratio_).toSize(), QImage::Format_ARGB32_Premultiplied);
        // Undrawn parts stay transparent, so the controls beneath show through until covered.
        image_.fill(Qt::transparent);
        image_.setDevicePixelRatio(ratio_);
    }
    return image_;
}

QPainter &Canvas::painter()
{
    // One painter stays open across figures: opening one per figure costs more than the figure.
    if (!painter_.isActive()) {
        painter_.begin(&pixels());
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return painter_;
}

QPen Canvas::pen(Colour colour) const
{
    QPen stroke(toQColor(colour), std::max(state_.drawWidth, 1));
    if (pen::drawsDotted(state_)) {
        stroke.setDashPattern({pen::dotLength, pen::dotLength});
        stroke.setCapStyle(Qt::FlatCap);
    } else {
        stroke.setCapStyle(Qt::RoundCap);
        stroke.setJoinStyle(Qt::RoundJoin);
    }
    return stroke;
}

void Canvas::markDirty(const QRectF &figure)
{
    const qreal pad = state_.drawWidth + 1;
    dirty_ |= figure.normalized().adjusted(-pad, -pad, pad, pad).toAlignedRect();
}

void Canvas::line(float x1, float y1, float x2, float y2, Colour colour)
{
    const QPointF from = toPixels(x1, y1);
    const QPointF to = toPixels(x2, y2);
    QPainter &p = painter();
    p.setPen(pen(colour));
    p.drawLine(from, to);
    markDirty(QRectF(from, to));
}

void Canvas::circle(float x, float y, float radius)
{
    const QPointF centre = toPixels(x, y);
    const qreal r = radius / twipsPerPixel;
    QPainter &p = painter();
    const qreal halfPen = std::max(state_.drawWidth, 1) / 2.0;
    if (halfPen >= r && state_.drawStyle == DrawStyle::Solid) {
        // A pen wider than the circle covers all of it: one disc in the pen's colour. Stroked,
        // so small a circle comes out as a hollow ring at some scales.
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(pen::foreColor));
        p.drawEllipse(centre, r + halfPen, r + halfPen);
    } else {
        p.setPen(pen(pen::foreColor));
        p.setBrush(state_.fillStyle == FillStyle::Solid ? QBrush(toQColor(state_.fillColor))
                                                        : QBrush());
        p.drawEllipse(centre, r, r);
    }
    markDirty(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r));
}

void Canvas::ensureSize(QSize logicalSize)
{
    const QSize grownSize = logicalSize_.expandedTo(logicalSize);
    if (grownSize != logicalSize_)
        remake(grownSize, ratio_);
}

void Canvas::setDevicePixelRatio(qreal ratio)
{
    if (qFuzzyCompare(ratio, ratio_))
        return;
    remake(logicalSize_, ratio);
    if (!isBlank())
        dirty_ = QRect(QPoint(0, 0), logicalSize_);
}

void Canvas::remake(QSize logicalSize, qreal ratio)
{
    const QSize drawnSize = logicalSize_;
    logicalSize_ = logicalSize;
    ratio_ = ratio;
    if (isBlank())
        return;
    const QImage drawn = image();
    image_ = QImage();
    // The drawing keeps its logical place and size; at another ratio it is scaled smoothly.
    QPainter p(&pixels());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), QSizeF(drawnSize)), drawn);
}

const QImage &Canvas::image()
{
    if (painter_.isActive())
        painter_.end();
    return pixels();
}

QRect Canvas::takeDirty()
{
    return std::exchange(dirty_, QRect());
}
