// Makes the README's screenshots: the real window after one whole run, saved as PNG, in the
// window's language, Czech unless --lang=xx asks for another. A path ending in .svg gets the
// teacher's picture of the run instead, as the window's menu saves it.
#include "app/halmirawindow.h"
#include "app/language.h"
#include "core/picture/svgpicture.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    QString path = QStringLiteral("screenshot.png");
    QStringList options;
    for (const QString &argument : QCoreApplication::arguments().mid(1)) {
        if (argument.startsWith(QLatin1String("--")))
            options << argument;
        else
            path = argument;
    }
    const CommandLine choice = readCommandLine(options, {});
    speakLanguage(app, choice.language);

    HalmiraWindow window({}, choice.language);
    window.show();
    // The pace only sets how long the run takes, not what it draws.
    window.findChild<QLineEdit *>(QStringLiteral("nSpomal"))->setText(QStringLiteral("0"));
    window.findChild<QPushButton *>(QStringLiteral("comStart"))->click();
    bool saved = false;
    if (path.endsWith(QLatin1String(".svg"))) {
        const std::string svg =
            picture::svg(window.pictureMenu().drawing(), window.pictureMenu().about());
        QFile file(path);
        saved = file.open(QIODevice::WriteOnly) &&
                file.write(svg.data(), qint64(svg.size())) == qint64(svg.size());
    } else {
        saved = window.grab().save(path);
    }
    if (!saved) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
