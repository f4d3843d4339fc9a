#pragma once

#include <QTimer>
#include <QWidget>

// Tells a screen reader something in passing, as a notification: Qt 6.4 has no announcement of
// its own, and Orca speaks a notification as it appears. The widget draws nothing and takes no
// input; it shows for a while, then hides until the next message.
class Announcer : public QWidget
{
public:
    explicit Announcer(QWidget *parent);

    void say(const QString &text);

private:
    QTimer hide_;
};
