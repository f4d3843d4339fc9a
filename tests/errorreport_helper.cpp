// A small program for the error-report test: it raises the error named on its command line
// inside a handler, answers the report, prints what the report said, and ends as the runtime
// makes it end.
#include "app/errorreport.h"
#include "app/runtimeerror.h"
#include "app/widgetform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int code = argc > 1 ? std::atoi(argv[1]) : 0;

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            std::printf("report: %s\n", qPrintable(box->text().replace('\n', '|')));
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(5);

    WidgetForm form;
    form.show();
    QTimer::singleShot(0, [&] {
        form.run([&](Form &f) {
            f.Line(0, 0, 1500, 1500);
            form.inputGate().defer([] { std::printf("held input ran\n"); });
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
