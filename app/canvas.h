#pragma once

#include "core/pen.h"

#include <QImage>
#include <QPainter>
#include <QRect>

// The window's persistent drawing: an image at the screen's device pixel ratio, the drawing
// state, and Line and Circle in twips. It remembers which part has changed since it was last
// shown, so that only that part is copied to the screen. The image is made at the first figure:
// until then the canvas is blank and costs nothing.
class Canvas
{
public:
    Canvas(QSize logicalSize, qreal devicePixelRatio);

    void setDrawWidth(int pixels) { state_.drawWidth = pixels; }
    void setDrawStyle(DrawStyle style) { state_.drawStyle = style; }
    void setFillStyle(FillStyle style) { state_.fillStyle = style; }
    void setFillColor(Colour colour) { state_.fillColor = colour; }

    void line(float x1, float y1, float x2, float y2, Colour colour);
    void line(float x1, float y1, float x2, float y2) { line(x1, y1, x2, y2, pen::foreColor); }
    void circle(float x, float y, float radius);

    // Grows the image to cover at least this logical size; what was drawn stays.
    void ensureSize(QSize logicalSize);
    // Moves the drawing to another device pixel ratio, for a window moved between screens.
    void setDevicePixelRatio(qreal ratio);

    // The image, with any open painter ended so it can be read.
    const QImage &image();
    QSize logicalSize() const { return logicalSize_; }
    bool isBlank() const { return image_.isNull(); }
    // The logical rectangle drawn since the last call, and empties it.
    QRect takeDirty();
    bool hasDirty() const { return !dirty_.isEmpty(); }

private:
    QImage &pixels();
    QPainter &painter();
    // A new image of this size and ratio, with what was drawn copied in.
    void remake(QSize logicalSize, qreal ratio);
    QPen pen(Colour colour) const;
    void markDirty(const QRectF &figure);

    QSize logicalSize_;
    qreal ratio_;
    QImage image_;
    QPainter painter_;
    QRect dirty_;
    DrawingState state_;
};

QColor toQColor(Colour colour);
