#include "app/language.h"

#include "app/words.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <vector>

CommandLine readCommandLine(const QStringList &arguments, const QString &environment,
                            Convention convention)
{
    std::vector<QByteArray> utf8;
    for (const QString &argument : arguments)
        utf8.push_back(argument.toUtf8());
    std::vector<std::string_view> views(utf8.begin(), utf8.end());
    const QByteArray otherwise = environment.toUtf8();
    return readCommandLine(views, std::string_view(otherwise.data(), otherwise.size()), convention);
}

void speakLanguage(QCoreApplication &application, Language language)
{
    const QString code = fromUtf8(texts::code(language));
    // What Qt's accessibility bridge tells a screen reader the application speaks.
    QLocale::setDefault(QLocale(code));
    // Asked again, the new language replaces the last.
    static QTranslator *qtWords = nullptr;
    if (qtWords) {
        QCoreApplication::removeTranslator(qtWords);
        delete qtWords;
    }
    qtWords = new QTranslator(&application);
    if (qtWords->load(QStringLiteral("qtbase_") + code,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtWords);
}
