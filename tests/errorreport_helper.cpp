// A small program for the error-report test. Given an error number, it raises that error inside
// a handler; given "pace", it clicks Start on the real window with a pace text that is no
// number; given "step", it pulls a photon from the hole's very centre. It answers the report,
// prints what the report said, and ends as the runtime makes it end.
#include "app/errorreport.h"
#include "app/halmirawindow.h"
#include "app/widgetform.h"
#include "core/animation/photon.h"
#include "core/runtimeerror.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

int startWithPace(const char *pace)
{
    HalmiraWindow window;
    window.show();
    window.findChild<QLineEdit *>(QStringLiteral("nSpomal"))->setText(QString::fromUtf8(pace));
    QTimer::singleShot(0, [&] {
        window.findChild<QPushButton *>(QStringLiteral("comStart"))->click();
        std::printf("Start returned\n");
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const char *what = argc > 1 ? argv[1] : "0";
    const int code = std::atoi(what);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::printf("report: %s\n", qPrintable(box->text().replace('\n', '|')));
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(5);

    if (std::strcmp(what, "pace") == 0)
        return startWithPace("Spomal");

    WidgetForm form;
    form.show();
    QTimer::singleShot(0, [&] {
        form.run([&](Form &f) {
            f.Line(0, 0, 1500, 1500);
            form.inputGate().defer([] { std::printf("held input ran\n"); });
            if (std::strcmp(what, "step") == 0)
                photon::pulled(scene::holeCentre, scene::holeCentre);
            if (code == 0)
                throw std::bad_alloc();
            throw RuntimeError(RuntimeError::Code(code));
        });
        form.run([](Form &) { std::printf("a later handler ran\n"); });
    });
    const int status = app.exec();
    std::fflush(stdout);
    return status;
}
