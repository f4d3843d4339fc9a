#pragma once

#include "core/window/commandline.h"
#include "core/window/language.h"

#include <QString>
#include <QStringList>

class QCoreApplication;

// The command line as the desktop program takes it, after the program's own name, with
// HALMIRA_LANG for launchers; the tests read Windows' forms too.
CommandLine readCommandLine(const QStringList &arguments, const QString &environment,
                            Convention convention = Convention::Posix);

// Qt's own words, in its menus and boxes, in the window's language, from Qt's translations; and
// the language told to a screen reader. The numbers the pace reads keep the user's locale.
void speakLanguage(QCoreApplication &application, Language language);
