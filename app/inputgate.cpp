#include "app/inputgate.h"

#include "app/hscrollbar.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

#include <memory>
#include <utility>

InputGate::InputGate(QWidget *window) : QObject(window), window_(window) {}

void InputGate::begin()
{
    queue_.begin();
    if (!watching_) {
        qApp->installEventFilter(this);
        watching_ = true;
    }
    if (window_)
        for (HScrollBar *bar : window_->findChildren<HScrollBar *>())
            bar->pauseRepeat();
}

void InputGate::end()
{
    queue_.end();
    deliverLater();
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

void InputGate::deliverLater()
{
    if (scheduled_)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &InputGate::deliverHeld, Qt::QueuedConnection);
}

// One item a turn of the event loop, as the window system's own events come, so that the window
// paints and a screen reader is answered in between; what the user gives meanwhile waits behind
// what is still held. An item that starts another handler runs it here, and the items after it
// wait in the queue until that one has returned.
void InputGate::deliverHeld()
{
    scheduled_ = false;
    if (auto action = queue_.next()) {
        replaying_ = true;
        (*action)();
        replaying_ = false;
    }
    if (queue_.peek()) {
        deliverLater();
        return;
    }
    if (queue_.holding())
        return; // a delivered item started a handler
    // All is delivered, a held arrow's release among it: its repeat may go on.
    if (window_)
        for (HScrollBar *bar : window_->findChildren<HScrollBar *>())
            bar->resumeRepeat();
    if (watching_) {
        qApp->removeEventFilter(this);
        watching_ = false;
    }
}

void InputGate::discard()
{
    queue_.discard();
}

void InputGate::defer(std::function<void()> action)
{
    queue_.defer(std::move(action));
    emit inputHeld();
}

InputGate::Hold InputGate::holds(QObject *watched, QEvent *event) const
{
    if (!window_)
        return Hold::No;
    bool key = false;
    switch (event->type()) {
    case QEvent::MouseMove:
        // A hover is no input; a drag is.
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            return Hold::No;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
        key = true;
        break;
    default:
        return Hold::No;
    }
    // Keys pass where they reach the window: the accessibility bridge hands them on later. A
    // context menu asked for there comes from a press, which is held already.
    if (watched == window_->windowHandle())
        return key || event->type() == QEvent::ContextMenu ? Hold::No : Hold::AtWindow;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window_)
        return Hold::No;
    return key ? Hold::Key : Hold::AtWidget;
}

namespace {

// A press gives the focus as Qt gives it to a press from the window system: to the first widget
// under it, outward, that takes the focus on a click, unless one on the way has it already.
void focusAsPressed(QWidget *window, QPoint position)
{
    for (QWidget *widget = window->childAt(position); widget && widget != window;
         widget = widget->parentWidget()) {
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (widget->hasFocus())
            return;
    }
}

} // namespace

// Held input that reached the window goes to the widget under it now, as the window would send
// it: a press gives the focus first and takes the mouse, and its moves and release follow it.
void InputGate::deliverToWidget(QEvent *event)
{
    auto *mouse = dynamic_cast<QMouseEvent *>(event);
    if (!mouse) {
        if (auto *wheel = dynamic_cast<QWheelEvent *>(event)) {
            QWidget *under = window_->childAt(wheel->position().toPoint());
            QWidget *target = under ? under : window_.data();
            const QPointF at = target->mapFrom(window_, wheel->position());
            QWheelEvent again(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                              wheel->buttons(), wheel->modifiers(), wheel->phase(),
                              wheel->inverted());
            QCoreApplication::sendEvent(target, &again);
        }
        return;
    }
    const QPoint at = mouse->position().toPoint();
    const bool press =
        mouse->type() == QEvent::MouseButtonPress || mouse->type() == QEvent::MouseButtonDblClick;
    if (press) {
        QWidget *under = window_->childAt(at);
        pressed_ = under ? under : window_.data();
        focusAsPressed(window_, at);
    }
    QWidget *target = pressed_;
    if (!target)
        return; // a release or a drag whose press never reached the window means nothing
    QMouseEvent again(mouse->type(), target->mapFrom(window_.data(), mouse->position()),
                      mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                      mouse->buttons(), mouse->modifiers());
    QCoreApplication::sendEvent(target, &again);
    if (press && mouse->button() == Qt::RightButton) {
        // The window asks for a context menu on a right press, as it would have.
        QContextMenuEvent menu(QContextMenuEvent::Mouse, again.position().toPoint(),
                               mouse->globalPosition().toPoint(), mouse->modifiers());
        QCoreApplication::sendEvent(target, &menu);
    }
    if (mouse->type() == QEvent::MouseButtonRelease && mouse->buttons() == Qt::NoButton)
        pressed_ = nullptr;
}

void InputGate::deliver(Hold where, QObject *receiver, QEvent *event)
{
    if (!window_)
        return;
    switch (where) {
    case Hold::AtWindow:
        deliverToWidget(event);
        break;
    case Hold::Key: {
        // To the focus as it is now, as the window system would have sent it.
        QWidget *focus = QApplication::focusWidget();
        QCoreApplication::sendEvent(focus && focus->window() == window_ ? focus : window_.data(),
                                    event);
        break;
    }
    case Hold::AtWidget:
    case Hold::No:
        if (receiver)
            QCoreApplication::sendEvent(receiver, event);
        break;
    }
}

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    // What is replayed came first; during a handler it starts, all is new input again.
    const bool waits = queue_.busy() || (queue_.holding() && !replaying_);
    const Hold where = waits ? holds(watched, event) : Hold::No;
    if (where == Hold::No)
        return false;
    std::shared_ptr<QEvent> copy(event->clone());
    defer([this, where, receiver = QPointer<QObject>(watched), copy] {
        deliver(where, receiver, copy.get());
    });
    event->accept();
    return true;
}
