#include "app/announcer.h"

#include <chrono>

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    hide();
    // Gone before it could be found again and read as part of the window.
    hide_.setSingleShot(true);
    hide_.setInterval(std::chrono::seconds(10));
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void Announcer::say(const QString &text)
{
    // Each message appears anew, which is what a screen reader presents.
    hide();
    setAccessibleName(text);
    lower();
    show();
    hide_.start();
}
