// The desktop window as the browser edition is checked against: prints where its visible
// controls stand, as JSON, and with a file name writes its canvas after one Start.
#include "app/halmirawindow.h"
#include "core/animation/startclick.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    HalmiraWindow window;
    window.show();

    QJsonObject places;
    for (const layout::Control &row : layout::controls) {
        const QWidget *control = window.control(row.name);
        if (control->isVisible()) {
            const QRect r = control->geometry();
            places[QString::fromUtf8(row.name)] = QJsonArray{r.x(), r.y(), r.width(), r.height()};
        }
    }
    std::puts(QJsonDocument(places).toJson(QJsonDocument::Compact).constData());

    if (argc > 1) {
        window.run(comStartClick);
        if (!window.canvasView().canvas().image().save(QString::fromLocal8Bit(argv[1])))
            return 1;
    }
    return 0;
}
