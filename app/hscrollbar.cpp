#include "app/hscrollbar.h"

#include <QKeyEvent>

HScrollBar::HScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

void HScrollBar::keyPressEvent(QKeyEvent *event)
{
    const bool right = event->key() == Qt::Key_Right;
    if ((right || event->key() == Qt::Key_Left) && event->modifiers() == Qt::NoModifier) {
        const bool forward = right != isRightToLeft();
        triggerAction(forward ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
