// One whole run of the real window, then Konec: for checking the program under valgrind.
#include "app/halmirawindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    HalmiraWindow window;
    window.show();
    QTimer::singleShot(0, [&] {
        window.findChild<QPushButton *>(QStringLiteral("comStart"))->click();
        window.findChild<QPushButton *>(QStringLiteral("comKonec"))->click();
    });
    return QApplication::exec();
}
