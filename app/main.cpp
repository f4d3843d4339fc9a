#include "app/errorreport.h"
#include "app/halmirawindow.h"
#include "app/language.h"
#include "app/preload.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

int main(int argc, char *argv[])
{
    // Read before Qt is, so that --help and --version answer on a terminal with no display.
    // As Qt's programs do: the help on the terminal's output, a complaint on its errors.
    const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
    const char *launcher = std::getenv("HALMIRA_LANG");
    const CommandLine asked =
        readCommandLine(arguments, launcher ? launcher : "", Convention::Posix);
    for (const std::string &complaint : asked.complaints)
        std::fprintf(stderr, "%s\n", complaint.c_str());
    if (asked.help || asked.version) {
        std::printf("%s\n", asked.help ? helpText(asked.language, Convention::Posix).c_str()
                                       : versionText().c_str());
        return 0;
    }

    auto pictures = preload(windowPictures());
    QApplication app(argc, argv);
    // Desktop shells find the installed entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Halmira"));
    registerFontSubstitutes();
    speakLanguage(app, asked.language);

    HalmiraWindow window(pictures.get(), asked.language);
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
