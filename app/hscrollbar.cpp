#include "app/hscrollbar.h"

#include <QKeyEvent>

#include <utility>

HScrollBar::HScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

void HScrollBar::pauseRepeat()
{
    paused_ = repeatAction();
    setRepeatAction(SliderNoAction);
}

void HScrollBar::resumeRepeat()
{
    if (paused_ != SliderNoAction)
        setRepeatAction(std::exchange(paused_, SliderNoAction));
}

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
