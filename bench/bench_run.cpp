// Times one Start run of the real window on the current platform (offscreen in the README's
// figures) at the first pace, and the same figures drawn with bare QPainter as the floor.
#include "app/canvas.h"
#include "app/halmirawindow.h"
#include "core/animation/startclick.h"
#include "core/twips.h"
#include "tests/support/recordingform.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(long long nanoseconds)
{
    return double(nanoseconds) / 1e9;
}

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The figures of a whole run, drawn straight onto an image: what drawing costs with nothing
// around it.
double floorSeconds(const RecordingForm &recorded)
{
    QImage image(WidgetForm::sceneSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const auto start = Clock::now();
    QPainter painter(&image);
    constexpr double px = twipsPerPixel;
    for (const auto &call : recorded.figures()) {
        QPen pen(toQColor(call.hasColour ? call.colour : 0), call.drawWidth);
        if (call.drawStyle == DrawStyle::Dotted && call.drawWidth <= 1)
            pen.setDashPattern({3, 3});
        else
            pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        if (call.kind == RecordingForm::Kind::Line) {
            painter.drawLine(QPointF(call.x1 / px, call.y1 / px),
                             QPointF(call.x2 / px, call.y2 / px));
        } else {
            painter.setBrush(toQColor(call.fillColor));
            painter.drawEllipse(QPointF(call.x1 / px, call.y1 / px), call.x2 / px, call.x2 / px);
        }
    }
    painter.end();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();

    // What the run must wait: 5000 passes of 100 ns after every step that does not capture.
    RecordingForm recorded;
    recorded.texts["nSpomal"] = "100000";
    comStartClick(recorded);
    const long long waits = recorded.count(RecordingForm::Kind::Wait);
    const double mustWait = double(waits) * 5000 * 100e-9;
    const double floor = floorSeconds(recorded);

    HalmiraWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    CanvasView &view = window.canvasView();
    view.resetStats();
    window.pacer().resetWaited();

    const double cpuStart = cpuSeconds();
    const auto start = Clock::now();
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("comStart")), Qt::LeftButton);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuStart;
    const PresentStats &stats = view.stats();

    const double waiting = seconds(window.pacer().waited().count());
    const double presenting = seconds(stats.presentNanoseconds);
    std::printf("platform             %s\n", qPrintable(QApplication::platformName()));
    std::printf("run, wall            %.3f s\n", wall);
    std::printf("  pace waits         %.3f s (%lld waits; %.3f s required)\n", waiting, waits,
                mustWait);
    std::printf("  presenting         %.3f s (%lld presents)\n", presenting, stats.presents);
    std::printf("  drawing and rest   %.3f s (%lld drawing calls)\n", wall - waiting - presenting,
                stats.figures);
    std::printf("floor, bare QPainter %.3f s\n", floor);
    std::printf("worst delay          %.1f ms (draw call to screen)\n",
                double(stats.worstDelayNanoseconds) / 1e6);
    std::printf("CPU time             %.3f s (%.0f %% of wall)\n", cpu, 100 * cpu / wall);
    std::printf("\ngoals\n");
    std::printf("  wall <= 1.10 x (required waits + floor): %.3f <= %.3f  %s\n", wall,
                1.10 * (mustWait + floor), wall <= 1.10 * (mustWait + floor) ? "met" : "MISSED");
    std::printf("  worst delay <= 17 ms:                    %s\n",
                stats.worstDelayNanoseconds <= 17'000'000 ? "met" : "MISSED");
    std::printf("  CPU <= 40 %% of wall:                     %s\n",
                cpu <= 0.4 * wall ? "met" : "MISSED");
    return 0;
}
