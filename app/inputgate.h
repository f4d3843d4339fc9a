#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Holds the user's input back while a handler runs, and delivers it in order afterwards.
//
// The window system's input already waits in its queue, because presenting lets only
// non-input events through. The gate also catches input that reaches the window's widgets
// directly (synthesised events, as from a test), and any deferred action such as a close
// request, so that nothing runs inside a handler and nothing is lost or reordered.
class InputGate : public QObject
{
    Q_OBJECT
public:
    explicit InputGate(QWidget *window);

    bool busy() const { return busy_; }
    // Also pauses the scroll bars' auto-repeat, from an arrow held since before the handler: its
    // release waits with the other input, and the repeat would run on until it came.
    void begin();
    // Replays what was held, in order, and wakes the event loop so that input queued by the
    // window system is delivered now rather than at the next mouse move.
    void end();
    // Drops what was held; for a program that is ending.
    void discard();

    // Runs the action after the handler, in order with the held input.
    void defer(std::function<void()> action);

signals:
    void inputHeld();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool gates(QObject *watched, QEvent *event) const;

    QPointer<QWidget> window_;
    bool busy_ = false;
    std::vector<std::function<void()>> held_;
};
