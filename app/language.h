#pragma once

#include "core/window/commandline.h"
#include "core/window/language.h"

#include <QString>
#include <QStringList>

class QCoreApplication;

// The window's language as the desktop program takes it: --lang=xx, or HALMIRA_LANG for
// launchers.
LanguageChoice chooseLanguage(const QStringList &arguments, const QString &environment);

// The command line as the desktop program takes it, after the program's own name, with
// HALMIRA_LANG for launchers.
CommandLine readCommandLine(const QStringList &arguments, const QString &environment);

// Qt's own words, in its menus and boxes, in the window's language, from Qt's translations; and
// the language told to a screen reader. The numbers the pace reads keep the user's locale.
void speakLanguage(QCoreApplication &application, Language language);
