// Makes the README's screenshot: the real window after one whole run, saved as PNG.
#include "app/halmirawindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");

    HalmiraWindow window;
    window.show();
    // The pace only sets how long the run takes, not what it draws.
    window.findChild<QLineEdit *>(QStringLiteral("nSpomal"))->setText(QStringLiteral("0"));
    window.findChild<QPushButton *>(QStringLiteral("comStart"))->click();
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
