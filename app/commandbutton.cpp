#include "app/commandbutton.h"

#include <QKeyEvent>

CommandButton::CommandButton(QWidget *parent) : QPushButton(parent) {}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // At once, so it keeps its place among input held during a run; a held key clicks once,
        // or it would queue a run for every repeat.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
