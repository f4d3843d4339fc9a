#include "app/canvas.h"

#include "core/figurereplay.h"
#include "core/twips.h"

#include <QPen>

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

QPen penFor(const DrawingState &state, Colour colour)
{
    QPen stroke(toQColor(colour), pen::widthOf(state));
    if (pen::drawsDotted(state)) {
        stroke.setDashPattern({pen::dotLength, pen::dotLength});
        stroke.setCapStyle(Qt::FlatCap);
    } else {
        stroke.setCapStyle(Qt::RoundCap);
        stroke.setJoinStyle(Qt::RoundJoin);
    }
    return stroke;
}

// Figures replayed onto the image, each marking what it changed.
struct ImagePainter {
    QPainter &p;
    QRect &dirty;

    void markDirty(const QRectF &figure, const DrawingState &state)
    {
        const qreal pad = state.drawWidth + 1;
        dirty |= figure.normalized().adjusted(-pad, -pad, pad, pad).toAlignedRect();
    }

    void line(float x1, float y1, float x2, float y2, Colour colour, const DrawingState &state)
    {
        const QPointF from = toPixels(x1, y1);
        const QPointF to = toPixels(x2, y2);
        p.setPen(penFor(state, colour));
        p.drawLine(from, to);
        markDirty(QRectF(from, to), state);
    }

    void circle(float x, float y, float radius, const DrawingState &state)
    {
        const QPointF centre = toPixels(x, y);
        const qreal r = radius / twipsPerPixel;
        if (pen::coversCircle(state, r)) {
            const qreal outer = r + pen::widthOf(state) / 2.0;
            p.setPen(Qt::NoPen);
            p.setBrush(toQColor(pen::foreColor));
            p.drawEllipse(centre, outer, outer);
        } else {
            p.setPen(penFor(state, pen::foreColor));
            p.setBrush(state.fillStyle == FillStyle::Solid ? QBrush(toQColor(state.fillColor))
                                                           : QBrush());
            p.drawEllipse(centre, r, r);
        }
        markDirty(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), state);
    }
};

} // namespace

Canvas::Canvas(QSize logicalSize, qreal devicePixelRatio)
    : logicalSize_(logicalSize), ratio_(devicePixelRatio)
{
}

void Canvas::line(float x1, float y1, float x2, float y2, Colour colour)
{
    stream_.line(x1, y1, x2, y2, static_cast<float>(colour));
}

void Canvas::line(float x1, float y1, float x2, float y2)
{
    stream_.line(x1, y1, x2, y2, figures::foreColor);
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

void Canvas::paint(std::span<const figures::Record> records)
{
    ImagePainter onto{painter(), dirty_};
    figures::replay(records, replayed_, onto);
}

void Canvas::paintPending()
{
    if (stream_.hasPending()) {
        paint(stream_.pending());
        stream_.handedOver();
    }
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
}

void Canvas::remake(QSize logicalSize, qreal ratio)
{
    logicalSize_ = logicalSize;
    ratio_ = ratio;
    if (image_.isNull())
        return; // the pending figures reach the new size when the image is made
    if (painter_.isActive())
        painter_.end();
    image_ = QImage();
    // The kept figures draw the whole scene, those still pending among them.
    stream_.handedOver();
    replayed_ = DrawingState();
    paint(stream_.kept());
    dirty_ = QRect(QPoint(0, 0), logicalSize_);
}

const QImage &Canvas::image()
{
    paintPending();
    if (painter_.isActive())
        painter_.end();
    return pixels();
}

QRect Canvas::takeDirty()
{
    paintPending();
    return std::exchange(dirty_, QRect());
}
