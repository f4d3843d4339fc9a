#include "app/errorreport.h"

#include "app/words.h"
#include "core/runtimeerror.h"

#include <QApplication>
#include <QMessageBox>

namespace {

bool programEnded = false;

void report(QWidget *window, Language language, ErrorCodes::Code code)
{
    QMessageBox box(QMessageBox::Critical, words(Text::ProgramName, language),
                    fromUtf8(errorReport(code, language)), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("errorReport"));
    box.exec();
    programEnded = true;
    QCoreApplication::exit(ErrorReport::exitStatus);
}

} // namespace

bool ErrorReport::guard(QWidget *window, Language language, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const RuntimeError &error) {
        report(window, language, error.code());
    } catch (const std::exception &) {
        report(window, language, RuntimeError::InternalError);
    }
    return false;
}

bool ErrorReport::ended()
{
    return programEnded;
}
