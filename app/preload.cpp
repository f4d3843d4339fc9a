#include "app/preload.h"

#include <QThread>

#ifdef HALMIRA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

std::future<Pictures> preload(std::vector<QString> picturePaths)
{
    // Qt takes the first thread that uses it as its main thread. Claim it for this one before
    // the worker reads the pictures, however late the application object comes.
    QThread::currentThread();
    return std::async(std::launch::async, [paths = std::move(picturePaths)] {
#ifdef HALMIRA_FONTCONFIG
        FcInit();
#endif
        Pictures pictures;
        for (const QString &path : paths) {
            // In the format the screen takes, so the window only has to wrap them.
            const QImage image(path);
            pictures.insert(path, image.convertToFormat(image.hasAlphaChannel()
                                                            ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32));
        }
        return pictures;
    });
}
