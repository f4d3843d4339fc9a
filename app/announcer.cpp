#include "app/announcer.h"

#include <QTimer>

#include <chrono>

Announcer::Announcer(QWidget *window, const QString &text) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    setAccessibleName(text);
    lower();
    QTimer::singleShot(std::chrono::seconds(10), this, [this] {
        hide();
        deleteLater();
    });
}

void Announcer::say(QWidget *window, const QString &text)
{
    (new Announcer(window, text))->show();
}
