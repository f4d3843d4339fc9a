#pragma once

#include <QScrollBar>

// The runtime's horizontal scroll bar, with the keys the window's rules give it. Qt's own scroll
// bar inverts its controls for the wheel's sake, which also turns the Left and Right keys around.
class HScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit HScrollBar(QWidget *parent = nullptr);

    // An arrow or the trough held down repeats its step until released. While a handler runs
    // the release waits with the other input, so the repeat pauses until the handler is over;
    // then it goes on, after the usual first pause, until the release arrives. A release that
    // came while it was paused ends it for good.
    void pauseRepeat();
    void resumeRepeat();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    SliderAction paused_ = SliderNoAction;
};
