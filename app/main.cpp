#include "app/errorreport.h"
#include "app/halmirawindow.h"
#include "app/language.h"
#include "app/preload.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    auto pictures = preload(windowPictures());
    QApplication app(argc, argv);
    // Desktop shells find the installed entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Halmira"));
    registerFontSubstitutes();
    // As Qt's programs do: the help on the terminal's output, a complaint on its errors.
    const CommandLine asked =
        readCommandLine(QCoreApplication::arguments().mid(1), qEnvironmentVariable("HALMIRA_LANG"));
    for (const std::string &complaint : asked.complaints)
        std::fprintf(stderr, "%s\n", complaint.c_str());
    if (asked.help) {
        std::printf("%s\n", helpText(asked.language, Convention::Posix).c_str());
        return 0;
    }
    speakLanguage(app, asked.language);

    HalmiraWindow window(pictures.get(), asked.language);
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
