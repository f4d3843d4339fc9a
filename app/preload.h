#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <future>
#include <vector>

using Pictures = QHash<QString, QImage>;

// Start-up work that needs no window: fontconfig's configuration, which the first text layout
// would otherwise load, and the decoded pictures. Started before the application object, it
// runs while that object connects to the display. Call it from the program's main thread.
std::future<Pictures> preload(std::vector<QString> picturePaths);
