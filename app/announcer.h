#pragma once

#include <QWidget>

// Tells a screen reader something in passing, as a notification: Qt 6.4 has no announcement of
// its own, and Orca speaks a notification as it appears. Each message is a notification of its
// own, so that two in a row, the end of one run and the start of the next, are both heard. It
// draws nothing and takes no input, and goes after a while, before it could be found again and
// read as part of the window.
class Announcer : public QWidget
{
public:
    static void say(QWidget *window, const QString &text);

private:
    Announcer(QWidget *window, const QString &text);
};
