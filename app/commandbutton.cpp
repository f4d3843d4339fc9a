#include "app/commandbutton.h"

#include "core/window/keys.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Qt's button takes Space as the window's rules have it; Return and Enter only in dialogs.
    if (enter && buttonClick(Key::Enter) == ClickOn::Press &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // At once, so it keeps its place among input held during a run.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
