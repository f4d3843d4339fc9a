// Draws the window's two pictures and writes them as GIFs into the given folder, with the
// icons beside them.
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
    // The icons are PNGs, as the icon theme and the web app's manifest want them: the
    // desktop's, the window's own, and the installed page's, which iOS rounds itself.
    const struct {
        QString name;
        int size;
        IconShape shape;
    } icons[] = {
        {QStringLiteral("halmira-256.png"), 256, IconShape::Rounded},
        {QStringLiteral("halmira-64.png"), 64, IconShape::Rounded},
        {QStringLiteral("halmira-192.png"), 192, IconShape::Rounded},
        {QStringLiteral("halmira-512.png"), 512, IconShape::Rounded},
        {QStringLiteral("halmira-maskable-512.png"), 512, IconShape::Maskable},
        {QStringLiteral("apple-touch-icon.png"), 180, IconShape::Square},
    };
    for (const auto &icon : icons) {
        const QString iconPath = folder.filePath(icon.name);
        if (!iconPicture(icon.size, icon.shape).save(iconPath)) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(iconPath));
            return 1;
        }
        std::printf("%s\n", qPrintable(iconPath));
    }
    return 0;
}
