// Draws the window's two pictures and writes them as GIFs into the given folder, with the
// desktop icon beside them.
#include "tools/gifwriter.h"
#include "tools/pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("assets"));
    const struct {
        QString name;
        QImage image;
        GifVersion version;
    } pictures[] = {
        {QStringLiteral("preview.gif"), previewPicture(), GifVersion::Gif87a},
        {QStringLiteral("spectrum.gif"), spectrumPicture(), GifVersion::Gif89a},
    };
    for (const auto &picture : pictures) {
        const QString path = folder.filePath(picture.name);
        if (const QString error = writeGif(picture.image, path, picture.version);
            !error.isEmpty()) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    // The icons are PNGs, as the icon theme wants them: the desktop's, and the window's own.
    for (const int size : {256, 64}) {
        const QString iconPath = folder.filePath(QStringLiteral("halmira-%1.png").arg(size));
        if (!iconPicture(size).save(iconPath)) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(iconPath));
            return 1;
        }
        std::printf("%s\n", qPrintable(iconPath));
    }
    return 0;
}
