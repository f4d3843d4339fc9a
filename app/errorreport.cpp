#include "app/errorreport.h"

#include "core/runtimeerror.h"

#include <QApplication>
#include <QMessageBox>

namespace {

bool programEnded = false;

void report(QWidget *window, int number, const QString &name)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Halmira"),
                    QStringLiteral("Chyba za běhu %1:\n\n%2").arg(number).arg(name),
                    QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("errorReport"));
    box.exec();
    programEnded = true;
    QCoreApplication::exit(ErrorReport::exitStatus);
}

} // namespace

bool ErrorReport::guard(QWidget *window, const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const RuntimeError &error) {
        report(window, error.code(), QString::fromUtf8(error.what()));
    } catch (const std::exception &) {
        report(window, RuntimeError::InternalError,
               QString::fromUtf8(RuntimeError::czechName(RuntimeError::InternalError)));
    }
    return false;
}

bool ErrorReport::ended()
{
    return programEnded;
}
