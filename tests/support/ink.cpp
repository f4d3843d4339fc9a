#include "ink.h"

#include <QDebug>
#include <QProcess>
#include <QTemporaryDir>

std::vector<bool> ink(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<bool> dark(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            dark[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)] =
                qRed(p) + qGreen(p) + qBlue(p) < 3 * 128;
        }
    return dark;
}

double unmatched(const std::vector<bool> &a, const std::vector<bool> &b, int width)
{
    const int height = static_cast<int>(a.size()) / width;
    const auto at = [width](int x, int y) { return std::size_t(y) * std::size_t(width) + x; };
    long inked = 0, alone = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!a[at(x, y)])
                continue;
            ++inked;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int u = x + dx, v = y + dy;
                    near = u >= 0 && v >= 0 && u < width && v < height && b[at(u, v)];
                }
            alone += !near;
        }
    return inked ? double(alone) / double(inked) : 0;
}

QImage renderedSvg(const QByteArray &svg, const QStringList &options)
{
    QTemporaryDir scratch;
    const QString out = scratch.filePath(QStringLiteral("picture.png"));
    QProcess rsvg;
    rsvg.start(QStringLiteral("rsvg-convert"), QStringList(options) << QStringLiteral("-o") << out);
    rsvg.write(svg);
    rsvg.closeWriteChannel();
    if (!rsvg.waitForFinished(60000) || rsvg.exitCode() != 0)
        qWarning() << rsvg.readAllStandardError();
    return QImage(out);
}
