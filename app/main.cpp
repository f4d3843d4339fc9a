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
    const LanguageChoice choice =
        chooseLanguage(QCoreApplication::arguments(), qEnvironmentVariable("HALMIRA_LANG"));
    if (!choice.complaint.empty())
        std::fprintf(stderr, "%s\n", choice.complaint.c_str());
    speakLanguage(app, choice.language);

    HalmiraWindow window(pictures.get(), choice.language);
    if (ErrorReport::ended())
        return ErrorReport::exitStatus;
    window.show();
    return app.exec();
}
