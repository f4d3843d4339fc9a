#include "app/hscrollbar.h"

#include "core/window/keys.h"

#include <QKeyEvent>
#include <QMouseEvent>

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

namespace {

Key keyOf(const QKeyEvent *event, bool rightToLeft)
{
    switch (event->key()) {
    case Qt::Key_Left:
        return rightToLeft ? Key::Right : Key::Left;
    case Qt::Key_Right:
        return rightToLeft ? Key::Left : Key::Right;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    default:
        return Key::Other;
    }
}

} // namespace

void HScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    paused_ = SliderNoAction;
    QScrollBar::mouseReleaseEvent(event);
}

void HScrollBar::keyPressEvent(QKeyEvent *event)
{
    const Move move = scrollMove(keyOf(event, isRightToLeft()));
    if (move != Move::None && event->modifiers() == Qt::NoModifier) {
        setValue(scrolled(move, value()));
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
