#include "tools/gifwriter.h"

#include <gif_lib.h>

#include <QHash>

#include <memory>
#include <vector>

namespace {

constexpr int tableSize = 256;

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

} // namespace

QString writeGif(const QImage &image, const QString &path, GifVersion version)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, GifByteType> index;
    std::vector<GifColorType> colours;
    std::vector<GifByteType> pixels;
    pixels.reserve(std::size_t(rgb.width()) * std::size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            auto found = index.constFind(colour);
            if (found == index.cend()) {
                if (colours.size() == tableSize)
                    return QStringLiteral("more than 256 colours");
                found = index.insert(colour, GifByteType(colours.size()));
                colours.push_back({GifByteType(qRed(colour)), GifByteType(qGreen(colour)),
                                   GifByteType(qBlue(colour))});
            }
            pixels.push_back(*found);
        }
    }
    colours.resize(tableSize, GifColorType{0, 0, 0});

    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(
        EGifOpenFileName(path.toLocal8Bit().constData(), false, &error));
    if (!gif)
        return QString::fromLatin1(GifErrorString(error));
    EGifSetGifVersion(gif.get(), version == GifVersion::Gif89a);
    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
        GifMakeMapObject(tableSize, colours.data()), &GifFreeMapObject);
    if (EGifPutScreenDesc(gif.get(), rgb.width(), rgb.height(), 8, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, rgb.width(), rgb.height(), false, nullptr) == GIF_ERROR)
        return QString::fromLatin1(GifErrorString(gif->Error));
    for (int y = 0; y < rgb.height(); ++y) {
        if (EGifPutLine(gif.get(), pixels.data() + std::size_t(y) * std::size_t(rgb.width()),
                        rgb.width()) == GIF_ERROR)
            return QString::fromLatin1(GifErrorString(gif->Error));
    }
    GifFileType *raw = gif.release();
    if (EGifCloseFile(raw, &error) == GIF_ERROR)
        return QString::fromLatin1(GifErrorString(error));
    return {};
}
