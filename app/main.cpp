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
    // --help and --version answer before Qt starts, so that they need no display; the rest is
    // read once Qt has taken its own options (-platform, -style) out of the arguments.
    const std::vector<std::string_view> raw(argv + std::min(argc, 1), argv + argc);
    const char *launcher = std::getenv("HALMIRA_LANG");
    if (const CommandLine early = readCommandLine(raw, launcher ? launcher : "", Convention::Posix);
        early.help || early.version) {
        std::printf("%s\n", early.help ? helpText(early.language, Convention::Posix).c_str()
                                       : versionText().c_str());
        return 0;
    }

    auto pictures = preload(windowPictures());
    QApplication app(argc, argv);
    // Desktop shells find the installed entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Halmira"));
    registerFontSubstitutes();
    // As Qt's programs do: a complaint on the terminal's errors.
    const CommandLine asked =
        readCommandLine(QCoreApplication::arguments().mid(1), qEnvironmentVariable("HALMIRA_LANG"));
    for (const std::string &complaint : asked.complaints)
        std::fprintf(stderr, "%s\n", complaint.c_str());
    speakLanguage(app, asked.language);

    HalmiraWindow window(pictures.get(), asked.language);
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
