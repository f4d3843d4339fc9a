// The real program on a real X display: caption and size, the window as first shown, and the
// scene after a click on Start, all through real X input and screenshots from the X server.
#include "xdisplay.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

int blackPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == Qt::black;
    return count;
}

const QColor wipeColour(192, 192, 255);
const QColor previewBackground(166, 202, 240);
const QPoint startButton(576, 20);
const QPoint konecButton(656, 20);
constexpr int runTimeoutMs = 120000;
const QRect distanceCaption(595, 82, 85, 15);

} // namespace

class DisplayTest : public QObject
{
    Q_OBJECT

private:
    RealProgram program;

private slots:
    void initTestCase() { QVERIFY(program.start()); }

    void captionAndSize()
    {
        QCOMPARE(RealProgram::xdotool({"getwindowname", program.windowId()}),
                 QStringLiteral("Halmira – https://www.halmira.example"));
        const QString geometry =
            RealProgram::xdotool({"getwindowgeometry", "--shell", program.windowId()});
        QVERIFY2(geometry.contains(QStringLiteral("WIDTH=800")), qPrintable(geometry));
        QVERIFY2(geometry.contains(QStringLiteral("HEIGHT=550")), qPrintable(geometry));
    }

    void firstShown()
    {
        const QImage shot = program.screenshot();
        keepScreenshot(shot, QStringLiteral("first-shown"));
        QCOMPARE(shot.size(), QSize(800, 550));
        QCOMPARE(shot.pixelColor(150, 500), previewBackground); // the preview picture
        QCOMPARE(shot.pixelColor(300, 420), QColor(Qt::black)); // the hole in it
        QCOMPARE(shot.pixelColor(20, 300), wipeColour);         // the window's background
        QVERIFY(shot.pixelColor(startButton) != wipeColour);    // the Start button
    }

    void sceneAfterStart()
    {
        program.click(startButton.x(), startButton.y());
        // The run has ended when the plot captions show: "Vzdálenost" is the last one.
        QVERIFY(program.waitForText(distanceCaption, runTimeoutMs));
        const QImage shot = program.screenshot();
        keepScreenshot(shot, QStringLiteral("after-start"));
        QCOMPARE(shot.pixelColor(150, 500), wipeColour);        // the wipe covers the preview
        QCOMPARE(shot.pixelColor(300, 420), QColor(Qt::black)); // the hole
        QCOMPARE(shot.pixelColor(295, 365), QColor(Qt::white)); // the sun
        QCOMPARE(shot.pixelColor(686, 200), QColor(Qt::black)); // the plot's vertical axis
        QVERIFY(shot.pixelColor(startButton) != wipeColour);    // Start stays on top
    }

    void konecEndsTheProgram()
    {
        program.click(konecButton.x(), konecButton.y());
        QVERIFY(program.waitForExit(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    // One program at a time from here on: windows all open at the same place.

    // Konec, or the window manager's close request, given right after Start: the run goes on
    // to its end, then the program ends by itself, with no further input.
    void endingDuringARunWaitsForTheRun_data()
    {
        QTest::addColumn<bool>("byKonec");
        QTest::newRow("Konec") << true;
        QTest::newRow("close request") << false;
    }

    void endingDuringARunWaitsForTheRun()
    {
        QFETCH(bool, byKonec);
        RealProgram own;
        QVERIFY(own.start());
        own.click(startButton.x(), startButton.y());
        QElapsedTimer sinceRequest;
        sinceRequest.start();
        if (byKonec)
            own.click(konecButton.x(), konecButton.y());
        else
            QCOMPARE(QProcess::execute(QStringLiteral(WMCLOSE_BINARY), {own.windowId()}), 0);

        // A run at the first pace waits 1.7 s in all; the window still draws well after the
        // request.
        QTest::qWait(300);
        const QImage early = own.screenshot();
        QTest::qWait(700);
        QCOMPARE(own.process().state(), QProcess::Running);
        const QImage later = own.screenshot();
        QVERIFY(!early.isNull() && !later.isNull());
        QVERIFY(early != later);

        QVERIFY(own.waitForExit(60000));
        QVERIFY(sinceRequest.elapsed() > 1500);
        QCOMPARE(own.exitStatus(), QProcess::NormalExit);
        QCOMPARE(own.exitCode(), 0);
    }
};

QTEST_MAIN(DisplayTest)
#include "tst_display.moc"
