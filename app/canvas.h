#pragma once

#include "core/figurestream.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <span>

// The window's persistent drawing: an image at the screen's device pixel ratio, fed by the
// figure stream. Line and Circle in twips go into the stream, and reach the image when it is
// painted or read; what the stream keeps is drawn again at another size or ratio, rather than
// the old pixels stretched. The canvas remembers which part has changed since it was last shown, so
// that only that part is copied to the screen. The image is made at the first figure: until then
// the canvas is blank and costs nothing.
class Canvas
{
public:
    Canvas(QSize logicalSize, qreal devicePixelRatio);

    void setDrawWidth(int pixels) { stream_.setDrawWidth(pixels); }
    void setDrawStyle(DrawStyle style) { stream_.setDrawStyle(style); }
    void setFillStyle(FillStyle style) { stream_.setFillStyle(style); }
    void setFillColor(Colour colour) { stream_.setFillColor(colour); }

    void line(float x1, float y1, float x2, float y2, Colour colour);
    void line(float x1, float y1, float x2, float y2);
    void circle(float x, float y, float radius) { stream_.circle(x, y, radius); }
    // What is drawn next paints over everything drawn so far.
    void covered() { stream_.covered(); }

    // Grows the image to cover at least this logical size; the drawing is drawn again.
    void ensureSize(QSize logicalSize);
    // Draws again at another device pixel ratio, for a window moved between screens.
    void setDevicePixelRatio(qreal ratio);

    // Puts the figures not yet drawn onto the image.
    void paintPending();
    // The image with every figure on it, and any open painter ended so it can be read.
    const QImage &image();
    QSize logicalSize() const { return logicalSize_; }
    // The records that draw the scene as it stands, as the picture of it is written from.
    std::span<const figures::Record> kept() const { return stream_.kept(); }
    bool isBlank() const { return image_.isNull() && !stream_.hasPending(); }
    // The logical rectangle drawn since the last call, and empties it.
    QRect takeDirty();
    bool hasDirty() const { return !dirty_.isEmpty() || stream_.hasPending(); }

private:
    QImage &pixels();
    QPainter &painter();
    void paint(std::span<const figures::Record> records);
    // A new image of this size and ratio, with the kept figures drawn on it.
    void remake(QSize logicalSize, qreal ratio);

    QSize logicalSize_;
    qreal ratio_;
    QImage image_;
    QPainter painter_;
    QRect dirty_;
    FigureStream stream_;
    DrawingState replayed_; // the drawing state as the image was last drawn in
};

QColor toQColor(Colour colour);
