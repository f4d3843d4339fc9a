#include "app/preload.h"

#include <fontconfig/fontconfig.h>

std::future<Pictures> preload(std::vector<QString> picturePaths)
{
    return std::async(std::launch::async, [paths = std::move(picturePaths)] {
        FcInit();
        Pictures pictures;
        for (const QString &path : paths)
            pictures.insert(path, QImage(path));
        return pictures;
    });
}
