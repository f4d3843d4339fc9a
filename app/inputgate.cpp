#include "app/inputgate.h"

#include "app/hscrollbar.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>

#include <memory>
#include <utility>

InputGate::InputGate(QWidget *window) : QObject(window), window_(window) {}

void InputGate::begin()
{
    busy_ = true;
    qApp->installEventFilter(this);
    if (window_)
        for (HScrollBar *bar : window_->findChildren<HScrollBar *>())
            bar->pauseRepeat();
}

void InputGate::end()
{
    qApp->removeEventFilter(this);
    busy_ = false;
    if (window_)
        for (HScrollBar *bar : window_->findChildren<HScrollBar *>())
            bar->resumeRepeat();
    // Each replayed item is a queued call, so if it starts another handler, the items after
    // it reach that handler's gate and wait again, still in order.
    for (auto &action : std::exchange(held_, {}))
        QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

void InputGate::discard()
{
    held_.clear();
}

void InputGate::defer(std::function<void()> action)
{
    held_.push_back(std::move(action));
    emit inputHeld();
}

bool InputGate::gates(QObject *watched, QEvent *event) const
{
    switch (event->type()) {
    case QEvent::MouseMove:
        // A hover is no input; a drag is.
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            return false;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && window_ && widget->window() == window_;
}

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    if (!busy_ || !gates(watched, event))
        return false;
    std::shared_ptr<QEvent> copy(event->clone());
    defer([receiver = QPointer<QObject>(watched), copy] {
        if (receiver)
            QCoreApplication::sendEvent(receiver, copy.get());
    });
    event->accept();
    return true;
}
