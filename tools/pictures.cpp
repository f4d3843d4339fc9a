#include "tools/pictures.h"

#include "app/canvas.h"
#include "core/animation/scene.h"
#include "core/animation/startclick.h"
#include "core/window/detachedform.h"
#include "core/window/layout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// A form with no window: figures go onto a canvas, and time does not pass.
class OffscreenForm : public DetachedForm
{
public:
    explicit OffscreenForm(qreal ratio)
        : canvas_(QSize(scene::pixelWidth, scene::pixelHeight), ratio)
    {
        // The pictures need no pace: a pace below twenty means no wait at all.
        setText("nSpomal", "0");
    }

    QImage image() { return canvas_.image(); }

    void setDrawWidth(int pixels) override { canvas_.setDrawWidth(pixels); }
    void setDrawStyle(DrawStyle style) override { canvas_.setDrawStyle(style); }
    void setFillStyle(FillStyle style) override { canvas_.setFillStyle(style); }
    void setFillColor(Colour colour) override { canvas_.setFillColor(colour); }
    void Line(float x1, float y1, float x2, float y2) override { canvas_.line(x1, y1, x2, y2); }
    void Line(float x1, float y1, float x2, float y2, Colour colour) override
    {
        canvas_.line(x1, y1, x2, y2, colour);
    }
    void Circle(float x, float y, float radius) override { canvas_.circle(x, y, radius); }

private:
    Canvas canvas_;
};

} // namespace

QImage finishedScene(qreal devicePixelRatio)
{
    OffscreenForm form(devicePixelRatio);
    comStartClick(form);
    return form.image();
}

QImage previewPicture()
{
    constexpr QSize pictureSize(579, 459);
    const QColor pictureBackground(166, 202, 240);
    const layout::Control &image1 = *layout::controlNamed("Image1");
    const QRect place(QPoint(twipsToPixels(image1.left), twipsToPixels(image1.top)), pictureSize);

    QImage picture = finishedScene().copy(place).convertToFormat(QImage::Format_RGB32);
    const QRgb wiped = toQColor(scene::background).rgb();
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        std::replace(line, line + picture.width(), wiped, pictureBackground.rgb());
    }
    return picture;
}

QImage spectrumPicture()
{
    constexpr int bandLength = 213;
    constexpr int bandHeight = 27;
    constexpr int upperShift = 7;
    QImage picture(231, 56, QImage::Format_RGB32);
    picture.fill(QColor(204, 204, 255));

    QPainter painter(&picture);
    const auto band = [&](int left, int top) {
        QLinearGradient rainbow(left, 0, left + bandLength, 0);
        // Red through yellow, green, cyan and blue to violet.
        const int hues[] = {0, 60, 120, 180, 240, 275};
        for (int i = 0; i < 6; ++i)
            rainbow.setColorAt(i / 5.0, QColor::fromHsv(hues[i], 255, 255));
        painter.fillRect(left, top, bandLength, bandHeight, rainbow);
    };
    band(4 + upperShift, 1);
    band(4, 1 + bandHeight);
    return picture;
}

QImage iconPicture(int size, IconShape shape)
{
    // The paths reach from about 40 to 560 pixels across, around the emission point.
    const QRectF fan(40, 70, 520, 520);
    // A maskable icon may be cut to a circle of 80 % of its size: the fan stays inside it.
    const qreal margin = shape == IconShape::Maskable ? size * 0.2 : size / 16.0;
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (shape == IconShape::Rounded) {
        QPainterPath square;
        square.addRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        painter.setClipPath(square);
    }
    painter.fillRect(icon.rect(), toQColor(scene::background));
    // Drawn at four times the pixels, so that the thin paths survive the scaling down.
    const QImage scene = finishedScene(4.0);
    painter.drawImage(QRectF(margin, margin, size - 2 * margin, size - 2 * margin), scene,
                      QRectF(fan.topLeft() * 4, fan.size() * 4));
    return icon;
}
