// The photon paths and the speed plot, on the recording stand-in: the first step, where each
// photon is captured, the plot of the upward ray, the pace wait, and arithmetic faults.
#include "tests/support/recordingform.h"

#include "core/animation/pacewait.h"
#include "core/animation/photon.h"
#include "core/animation/photonpath.h"
#include "core/animation/startclick.h"
#include "core/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <numbers>

using Kind = RecordingForm::Kind;

namespace {

struct Traced {
    RecordingForm form;
    int steps = 0;
};

Traced trace(int ray, double angle, const char *pace = "0")
{
    Traced traced;
    traced.form.texts["nSpomal"] = pace;
    double previousPlotY = 5500;
    traced.steps = tracePhoton(traced.form, ray, angle, previousPlotY);
    return traced;
}

template <typename F> RuntimeError::Code raisedBy(F &&f)
{
    try {
        f();
    } catch (const RuntimeError &error) {
        return error.code();
    }
    return RuntimeError::Code(0);
}

} // namespace

class PhotonPathsTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStepOfRayZero()
    {
        const Traced traced = trace(0, rayAngle(0));
        const auto figures = traced.form.figures();
        QVERIFY(figures.size() >= 2);
        const auto &free = figures[0];
        QCOMPARE(free.drawWidth, 2);
        QCOMPARE(free.drawStyle, DrawStyle::Solid);
        QCOMPARE(QLineF(free.x1, free.y1, free.x2, free.y2), QLineF(4500, 5500, 4620, 5500));
        // The pull moves it 6 twips down and a little left, toward the hole.
        const auto &pull = figures[1];
        QCOMPARE(QPointF(pull.x1, pull.y1), QPointF(4620, 5500));
        QVERIFY(std::abs(pull.x2 - 4618.56f) < 0.01f);
        QVERIFY(std::abs(pull.y2 - 5506.0f) < 0.01f);
    }

    void everyPhotonIsCaptured_data()
    {
        QTest::addColumn<int>("ray");
        QTest::addColumn<int>("steps"); // 0 where only the range is known
        for (int ray = 0; ray < 19; ++ray) {
            const int known = ray == 0 || ray == 18 ? 180 : ray == 9 ? 177 : 0;
            QTest::addRow("ray %d", ray) << ray << known;
        }
    }

    void everyPhotonIsCaptured()
    {
        QFETCH(int, ray);
        QFETCH(int, steps);
        const Traced traced = trace(ray, rayAngle(ray));
        QVERIFY2(traced.steps >= 177 && traced.steps <= 184,
                 qPrintable(QString::number(traced.steps)));
        if (steps)
            QCOMPARE(traced.steps, steps);
        // Two segments a step, and a dot a step for the upward ray only.
        QCOMPARE(traced.form.count(Kind::Line), 2LL * traced.steps);
        QCOMPARE(traced.form.count(Kind::Circle), ray == 9 ? traced.steps : 0LL);
        // The last step is captured, so it has no wait.
        QCOMPARE(traced.form.count(Kind::Wait), 0LL);
    }

    void upwardRayPlotsSpeedAgainstHeight()
    {
        const Traced traced = trace(9, rayAngle(9));
        std::vector<RecordingForm::Call> dots;
        for (const auto &call : traced.form.figures())
            if (call.kind == Kind::Circle)
                dots.push_back(call);
        QCOMPARE(dots.size(), std::size_t(177));
        QVERIFY2(std::abs(dots[0].x1 - 11426) < 1, qPrintable(QString::number(dots[0].x1)));
        // Right of the axis while the photon rises; once it falls, left of it for good.
        bool fallen = false;
        float previousY = 5500;
        for (const auto &dot : dots) {
            QCOMPARE(dot.x2, 5.0f);
            QCOMPARE(dot.fillColor, Colour(0)); // unchanged since the hole: black
            const bool falling = dot.y1 > previousY;
            QCOMPARE(dot.x1 < 10300, falling);
            QVERIFY(!fallen || falling);
            fallen = falling;
            previousY = dot.y1;
        }
        QVERIFY(fallen);
    }

    void captureOnTheFirstStepHasNoWait()
    {
        // Sent straight down, the photon is inside the horizon after one step.
        const Traced traced = trace(0, -std::numbers::pi / 2, "100000");
        QCOMPARE(traced.steps, 1);
        QCOMPARE(traced.form.count(Kind::Line), 2LL);
        QCOMPARE(traced.form.count(Kind::Wait), 0LL);
    }

    void paceWait_data()
    {
        QTest::addColumn<QString>("pace");
        QTest::addColumn<long long>("passes");
        QTest::newRow("first pace value") << "100000" << 5000LL;
        QTest::newRow("scroll bar at 1") << "100100" << 5005LL;
        QTest::newRow("scroll bar at its end") << "3376700" << 168835LL;
        QTest::newRow("just one pass") << "20" << 1LL;
        QTest::newRow("below twenty: no wait") << "19.99" << 0LL;
        QTest::newRow("zero") << "0" << 0LL;
        QTest::newRow("negative") << "-100000" << 0LL;
    }

    void paceWait()
    {
        QFETCH(QString, pace);
        QFETCH(long long, passes);
        RecordingForm form;
        form.texts["nSpomal"] = pace.toStdString();
        QCOMPARE(::paceWait(form), passes);
        QCOMPARE(form.count(Kind::Wait), passes > 0 ? 1LL : 0LL);
        if (passes > 0) {
            // At least 100 ns a pass, counted from before the passes ran.
            const auto asked = form.calls.back().wait;
            QVERIFY(asked <= std::chrono::nanoseconds(passes * 100));
            QVERIFY(asked > std::chrono::nanoseconds(passes * 100) - std::chrono::milliseconds(50));
        }
    }

    void paceThatIsNoNumberEndsTheRunAfterTheFirstStep()
    {
        RecordingForm form;
        form.texts["nSpomal"] = "Spomal";
        QCOMPARE(raisedBy([&] { comStartClick(form); }), RuntimeError::TypeMismatch);
        // The wipe, the axes, ray 0's guide and discs, then the first step's two segments.
        const auto figures = form.figures();
        QCOMPARE(figures.size(), std::size_t(10000 + 2 + 1 + 3 + 2));
        QCOMPARE(figures.back().drawWidth, 2);
    }

    void pathsAreTheSameAtEveryPace()
    {
        RecordingForm fast, slow;
        fast.texts["nSpomal"] = "0";
        slow.texts["nSpomal"] = "100000";
        comStartClick(fast);
        comStartClick(slow);
        const auto a = fast.figures(), b = slow.figures();
        QCOMPARE(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].kind, b[i].kind);
            QCOMPARE(QLineF(a[i].x1, a[i].y1, a[i].x2, a[i].y2),
                     QLineF(b[i].x1, b[i].y1, b[i].x2, b[i].y2));
        }
        QCOMPARE(fast.count(Kind::Wait), 0LL);
        // Every step waits but the one that captures its photon.
        const long long pathLines = slow.count(Kind::Line) - 10000 - 2 - 19;
        QCOMPARE(slow.count(Kind::Wait), pathLines / 2 - 19);
    }

    void arithmeticFaultsRaiseTheRuntimeError_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("expected");
        QTest::newRow("pull from the hole's centre") << 0 << int(RuntimeError::DivisionByZero);
        QTest::newRow("direction of a zero step") << 1 << int(RuntimeError::DivisionByZero);
        QTest::newRow("step beyond the largest double") << 2 << int(RuntimeError::Overflow);
        QTest::newRow("pull of a far-flung point") << 3 << int(RuntimeError::Overflow);
    }

    void arithmeticFaultsRaiseTheRuntimeError()
    {
        QFETCH(int, fault);
        QFETCH(int, expected);
        const scene::Point hole = scene::holeCentre;
        const auto faults = std::array<std::function<void()>, 4>{
            [&] {
                photon::pulled(hole, {4500, 5500});
            },
            [&] {
                photon::direction({1, 2}, {1, 2}, 0);
            },
            [&] {
                photon::freeStep({1e308, 0}, {1, 0}, 1e308);
            },
            [&] {
                photon::pulled({1e200, 0}, {1e200, 0});
            },
        };
        QCOMPARE(int(raisedBy(faults[std::size_t(fault)])), expected);
    }
};

QTEST_GUILESS_MAIN(PhotonPathsTest)
#include "tst_photonpaths.moc"
