#pragma once

#include <QScrollBar>

// The runtime's horizontal scroll bar. Qt's scroll bar inverts its controls for the wheel's sake,
// which also turns the Left and Right keys around; here they go the way they point. PageUp,
// PageDown, Home and End keep their classic meaning: back, on, first, last.
class HScrollBar : public QScrollBar
{
public:
    explicit HScrollBar(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
