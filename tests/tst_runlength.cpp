// A run's length is behaviour: at the first pace it must take at least 0.9 of its required
// waits, and at most 1.5 of them and what its drawing costs: a band wide enough for a loaded
// machine and narrow enough that a pace that stretches each wait falls outside it. The window
// draws while it runs ahead of its waits, so the drawing may hide inside them.
#include "app/halmirawindow.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// 3414 waits of 5000 passes at 100 ns each.
constexpr double requiredSeconds = 1.707;

} // namespace

class RunLengthTest : public QObject
{
    Q_OBJECT

private:
    // The seconds one Start takes with the pace text given.
    static double runSeconds(HalmiraWindow &window, const QString &pace)
    {
        window.findChild<QLineEdit *>(QStringLiteral("nSpomal"))->setText(pace);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("comStart")),
                          Qt::LeftButton);
        return double(clock.nsecsElapsed()) / 1e9;
    }

private slots:
    void aRunAtTheFirstPaceKeepsItsLength()
    {
        HalmiraWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The drawing floor: the same run with no waits at all.
        const double floor = runSeconds(window, QStringLiteral("0"));
        const double run = runSeconds(window, QStringLiteral("100000"));
        qInfo("run %.3f s, floor %.3f s", run, floor);
        QVERIFY2(run >= 0.9 * requiredSeconds && run <= 1.5 * (requiredSeconds + floor),
                 qPrintable(QString::number(run)));
    }
};

QTEST_MAIN(RunLengthTest)
#include "tst_runlength.moc"
