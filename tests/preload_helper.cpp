// Starts like the program, with its preload, and prints every message Qt gives on the way. Given
// "late", it lets the preload finish before the application object is made, so that the worker
// is the first thread to use Qt.
#include "app/halmirawindow.h"
#include "app/preload.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
        std::printf("message: %s\n", qPrintable(message));
    });
    auto pictures = preload(windowPictures());
    if (argc > 1 && std::strcmp(argv[1], "late") == 0)
        pictures.wait();
    QApplication app(argc, argv);
    HalmiraWindow window(pictures.get());
    window.show();
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
