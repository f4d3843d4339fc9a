#pragma once

#include "core/window/inputqueue.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Holds the user's input back while a handler runs, in the engine's input queue, and replays it
// afterwards in order, as if it had been given then.
//
// A handler that draws lets the window system's events through while it runs, input among
// them, so that a screen reader hears every key at once: Qt's accessibility bridge takes the
// key where it first reaches the window and hands it back when the screen reader has seen it.
// The gate holds what the window's widgets would receive:
// - the mouse, the wheel and touch where they reach the window, before Qt moves the focus for a
//   press, and wherever they are sent to a widget directly (as from a test);
// - keys and input-method text where they reach a widget, after the bridge; they go to whatever
//   has the focus when they are delivered;
// - any deferred action, such as a close request or a handler asked for meanwhile.
// Nothing runs inside a handler, and nothing is lost or reordered.
class InputGate : public QObject
{
    Q_OBJECT
public:
    explicit InputGate(QWidget *window);

    bool busy() const { return queue_.busy(); }
    bool mayRun() const { return queue_.mayRun(); }
    // Whether input given now waits: a handler runs, or held input has still to come.
    bool holding() const { return queue_.holding(); }
    // Also pauses the scroll bars' auto-repeat, from an arrow held since before the handler: its
    // release waits with the other input, and the repeat would run on until it came.
    void begin();
    // Replays what was held from the event loop, an item a turn, and wakes it so that input
    // queued by the window system is delivered now rather than at the next mouse move.
    void end();
    // Drops what was held, and holds and replays nothing more; for a program that is ending.
    void discard();

    // Runs the action after the handler, in order with the held input.
    void defer(std::function<void()> action);

signals:
    void inputHeld();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Hold { No, AtWindow, AtWidget, Key };
    Hold holds(QObject *watched, QEvent *event) const;
    void deliverLater();
    void deliverHeld();
    void deliver(Hold where, QObject *receiver, QEvent *event);
    void deliverToWidget(QEvent *event);

    QPointer<QWidget> window_;
    QPointer<QWidget> pressed_; // the widget a replayed press went to, until its release
    InputQueue<std::function<void()>> queue_;
    bool watching_ = false;
    bool replaying_ = false;
    bool scheduled_ = false; // a delivery is queued in the event loop
};
