#include "app/errorreport.h"
#include "app/halmirawindow.h"
#include "app/preload.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    auto pictures = preload(windowPictures());
    QApplication app(argc, argv);
    // Desktop shells find the installed entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Halmira"));
    registerFontSubstitutes();

    HalmiraWindow window(pictures.get());
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
