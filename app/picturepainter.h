#pragma once

#include "core/picture/about.h"
#include "core/picture/drawing.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

// The teacher's picture drawn with Qt's painter, shape by shape as the engine gives it: into an
// image at any resolution, onto a PDF page or onto a printer's, where it stays a vector.
namespace picture {

// Draws the drawing's extent into the target rectangle, in the painter's coordinates.
void paint(QPainter &painter, const Drawing &drawing, const QRectF &target);

// The drawing at so many twips a pixel, transparent where nothing was drawn, or on the colour.
QImage image(const Drawing &drawing, double twipsPerPixel = printTwipsPerPixel,
             const QColor &background = Qt::transparent);

// As a PNG that says what it is, at print resolution, on white paper.
QByteArray png(const Drawing &drawing, const About &about);

// Draws the drawing as large as it goes on the device's page, in the middle.
void paintOnPage(QPainter &painter, const Drawing &drawing, const QRectF &page);

} // namespace picture
