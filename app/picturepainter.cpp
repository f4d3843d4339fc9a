#include "app/picturepainter.h"

#include "app/canvas.h"
#include "core/picture/pngtext.h"
#include "core/window/layout.h"

#include <QBuffer>
#include <QFont>
#include <QLineF>
#include <QVector>

#include <cmath>
#include <variant>

namespace picture {
namespace {

constexpr double inchesPerMetre = 39.3701;
constexpr int pngQuality = 80;

QPen penFor(const Stroke &stroke)
{
    QPen pen(toQColor(stroke.colour), stroke.width);
    if (stroke.dash > 0) {
        // Qt's dashes are in pen widths.
        const double dash = stroke.dash / stroke.width;
        pen.setDashPattern({dash, dash});
        pen.setCapStyle(Qt::FlatCap);
    } else {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

struct Painted {
    QPainter &p;

    void operator()(const Lines &lines) const
    {
        QVector<QLineF> segments;
        segments.reserve(static_cast<qsizetype>(lines.segments.size()));
        for (const Segment &s : lines.segments)
            segments.append(QLineF(s.x1, s.y1, s.x2, s.y2));
        p.setPen(penFor(lines.stroke));
        p.setBrush(Qt::NoBrush);
        p.drawLines(segments);
    }

    void operator()(const Band &band) const
    {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(band.fill));
        p.drawRoundedRect(QRectF(band.left, band.top, band.width, band.height), band.corner,
                          band.corner);
    }

    void operator()(const Disc &disc) const
    {
        p.setPen(disc.rimmed ? penFor(disc.rim) : QPen(Qt::NoPen));
        p.setBrush(disc.filled ? QBrush(toQColor(disc.fill)) : QBrush(Qt::NoBrush));
        p.drawEllipse(QPointF(disc.x, disc.y), disc.radius, disc.radius);
    }
};

void paintCaptions(QPainter &p, const std::vector<Caption> &captions)
{
    for (const Caption &c : captions) {
        p.fillRect(QRectF(c.left, c.top, c.width, c.height), toQColor(layout::backColor));
        QFont font(QString::fromLatin1(layout::fontFamily));
        font.setPixelSize(static_cast<int>(std::lround(c.size)));
        font.setWeight(c.bold ? QFont::Bold : QFont::Normal);
        // Hinted to whole twips, a glyph would stand where the SVG's does not.
        font.setHintingPreference(QFont::PreferNoHinting);
        p.setFont(font);
        p.setPen(toQColor(pen::foreColor));
        p.drawText(QPointF(c.textX, c.baseline),
                   QString::fromUtf8(c.text.data(), qsizetype(c.text.size())));
    }
}

} // namespace

void paint(QPainter &painter, const Drawing &drawing, const QRectF &target)
{
    const Extent &e = drawing.extent;
    if (e.width <= 0 || e.height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / e.width, target.height() / e.height);
    painter.translate(-e.left, -e.top);
    painter.setClipRect(QRectF(0, 0, drawing.clipWidth, drawing.clipHeight));
    for (const Shape &shape : drawing.shapes)
        std::visit(Painted{painter}, shape);
    painter.setClipping(false);
    paintCaptions(painter, drawing.captions);
    painter.restore();
}

QImage image(const Drawing &drawing, double twipsPerPixel, const QColor &background)
{
    const QSize size(static_cast<int>(std::ceil(drawing.extent.width / twipsPerPixel)),
                     static_cast<int>(std::ceil(drawing.extent.height / twipsPerPixel)));
    QImage out(size, background.alpha() == 255 ? QImage::Format_RGB32
                                               : QImage::Format_ARGB32_Premultiplied);
    out.fill(background);
    const int dotsPerMetre = static_cast<int>(std::lround(1440 / twipsPerPixel * inchesPerMetre));
    out.setDotsPerMeterX(dotsPerMetre);
    out.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&out);
    paint(
        painter, drawing,
        QRectF(0, 0, drawing.extent.width / twipsPerPixel, drawing.extent.height / twipsPerPixel));
    return out;
}

QByteArray png(const Drawing &drawing, const About &about)
{
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    // Quicker compression: at the best, a print-size picture takes over a second to encode,
    // and is only a tenth smaller.
    // Opaque, it is a quarter smaller and quicker to write.
    image(drawing, printTwipsPerPixel, Qt::white).save(&buffer, "PNG", pngQuality);
    const std::string said =
        withAbout(std::string_view(encoded.constData(), std::size_t(encoded.size())), about);
    return QByteArray(said.data(), qsizetype(said.size()));
}

void paintOnPage(QPainter &painter, const Drawing &drawing, const QRectF &page)
{
    const Extent &e = drawing.extent;
    if (e.width <= 0 || e.height <= 0)
        return;
    const double scale = std::min(page.width() / e.width, page.height() / e.height);
    const QSizeF size(e.width * scale, e.height * scale);
    paint(painter, drawing,
          QRectF(page.center() - QPointF(size.width() / 2, size.height() / 2), size));
}

} // namespace picture
