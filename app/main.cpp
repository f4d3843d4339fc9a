#include "app/errorreport.h"
#include "window/halmirawindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();

    HalmiraWindow window;
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
