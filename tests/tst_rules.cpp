// The window's rules as the engine keeps them for every front end: the held-input queue, the
// pace schedule, what a run covers and announces and in which order, and the keys.
#include "core/pace.h"
#include "core/window/inputqueue.h"
#include "core/window/keys.h"
#include "core/window/wiring.h"
#include "tests/support/recordingform.h"

#include <QTest>

#include <string>
#include <vector>

using namespace std::chrono_literals;
using pace::Clock;

namespace {

// What a front end does with the queue, one letter a step:
//   b  a handler begins        e  it ends, and what may be delivered now is delivered
//   E  it ends, and the held items wait for the front end's next turns
//   n  one turn of the front end's event loop: the next held item, if any, is delivered
//   x  input given now: held when the queue holds, else taken at once
//   S  a Start asked for: run at once where it may, else deferred; a delivered S begins
//   d  the program ends (discard)
//   ?  whether input given now would wait: "held" or "free"
// Each input and Start is numbered in the order given; the result lists them as they were
// taken, with S for each Start that ran.
QString drive(const QString &steps)
{
    InputQueue<QString> queue;
    QStringList taken;
    int given = 0;
    const auto deliverOne = [&] {
        auto item = queue.next();
        if (item) {
            taken << *item;
            if (item->startsWith('S'))
                queue.begin();
        }
        return item.has_value();
    };
    const auto deliver = [&] {
        while (deliverOne()) {
        }
    };
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'b':
            queue.begin();
            break;
        case 'e':
            queue.end();
            deliver();
            break;
        case 'E':
            queue.end();
            break;
        case 'n':
            deliverOne();
            break;
        case '?':
            taken << (queue.holding() ? QStringLiteral("held") : QStringLiteral("free"));
            break;
        case 'x': {
            const QString input = QString::number(++given);
            if (queue.holding())
                queue.defer(input);
            else
                taken << input;
            break;
        }
        case 'S': {
            const QString start = QStringLiteral("S%1").arg(++given);
            if (queue.mayRun()) {
                taken << start;
                queue.begin();
            } else {
                queue.defer(start);
            }
            break;
        }
        case 'd':
            queue.discard();
            break;
        }
    }
    return taken.join(' ');
}

// A run as a listener hears it.
class Heard : public RunListener
{
public:
    QStringList events;
    void sceneCovers() override { events << QStringLiteral("covers"); }
    void announce(std::string_view words) override
    {
        events << QStringLiteral("says ") + QString::fromUtf8(words.data(), int(words.size()));
    }
    void describeScene(std::string_view) override { events << QStringLiteral("describes"); }
};

} // namespace

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void heldInput_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("taken");
        QTest::newRow("idle input goes straight through") << "xx"
                                                          << "1 2";
        QTest::newRow("input during a run waits for its end") << "bxxe"
                                                              << "1 2";
        QTest::newRow("nothing is taken during the run") << "bxx"
                                                         << "";
        QTest::newRow("a second Start waits for the first") << "SxSx"
                                                            << "S1";
        QTest::newRow("...and runs after it, then holds the rest") << "SxSxe"
                                                                   << "S1 2 S3";
        QTest::newRow("...which come once the second has ended") << "SxSxee"
                                                                 << "S1 2 S3 4";
        QTest::newRow("new input waits behind the held") << "bxSxe"
                                                         << "1 S2";
        QTest::newRow("a discarded queue delivers nothing") << "bxxde"
                                                            << "";
        QTest::newRow("an ended program takes no Start") << "dS"
                                                         << "";
        // A front end delivers what was held across turns of its event loop, and the user may
        // go on giving input in between.
        QTest::newRow("held until the last held item is delivered")
            << "?bxx?E?n?n?"
            << "free held held 1 held 2 free";
        QTest::newRow("input between two deliveries waits behind them") << "bxxEnxnn"
                                                                        << "1 2 3";
        QTest::newRow("a delivered Start holds the rest and what comes meanwhile") << "bxSxEnnxex"
                                                                                   << "1 S2 3 4 5";
        QTest::newRow("input after the last delivery goes straight through") << "bxEnx"
                                                                             << "1 2";
    }

    void heldInput()
    {
        QFETCH(QString, steps);
        QFETCH(QString, taken);
        QCOMPARE(drive(steps), taken);
    }

    // The handler runs on until a frame ahead or a quarter frame busy, then sleeps once, and
    // what it overslept is carried into the following waits.
    void paceSchedule_data()
    {
        QTest::addColumn<int>("waitMicroseconds");
        QTest::addColumn<int>("workMicroseconds"); // between two waits
        QTest::addColumn<int>("oversleepMicroseconds");
        QTest::addColumn<int>("sleeps");
        QTest::addColumn<int>("elapsedMilliseconds");
        // 200 waits of 0.5 ms: 100 ms of waiting, whatever the sleeps cost.
        QTest::newRow("short waits, run ahead a frame at a time") << 500 << 0 << 0 << 6 << 100;
        QTest::newRow("oversleeping is carried, not added") << 500 << 0 << 3000 << 5 << 100;
        QTest::newRow("work gives the screen back each quarter frame")
            << 500 << 100 << 0 << 6 << 120;
        QTest::newRow("a long wait sleeps every time") << 20000 << 0 << 0 << 200 << 4000;
    }

    void paceSchedule()
    {
        QFETCH(int, waitMicroseconds);
        QFETCH(int, workMicroseconds);
        QFETCH(int, oversleepMicroseconds);
        QFETCH(int, sleeps);
        QFETCH(int, elapsedMilliseconds);
        const std::chrono::microseconds wait(waitMicroseconds), work(workMicroseconds);
        pace::Schedule schedule;
        Clock::time_point now{};
        schedule.start(now);
        int slept = 0;
        for (int i = 0; i < 200; ++i) {
            now += work;
            if (const auto wake = schedule.wait(now + wait, now)) {
                ++slept;
                QVERIFY(*wake - now <= pace::ahead + wait);
                now = std::max(now, *wake) + std::chrono::microseconds(oversleepMicroseconds);
                schedule.resumed(now);
            }
        }
        QVERIFY2(qAbs(slept - sleeps) <= 1, qPrintable(QString::number(slept)));
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
        // Short of the waits by at most the frame run ahead at the end, and long by no more
        // than the last sleep's oversleep.
        QVERIFY2(elapsed.count() >= elapsedMilliseconds - 17 &&
                     elapsed.count() <= elapsedMilliseconds + 4,
                 qPrintable(QString::number(elapsed.count())));
    }

    void startRunIsCoveredAnnouncedAndDescribedInOrder()
    {
        RecordingForm form;
        form.texts["nSpomal"] = "0";
        Heard heard;
        runHandler(Handler::Start, form, heard, Language::Czech);
        QCOMPARE(heard.events.size(), 4);
        QCOMPARE(heard.events[0], QStringLiteral("covers"));
        QCOMPARE(heard.events[1], QStringLiteral("says Animace běží"));
        QCOMPARE(heard.events[2], QStringLiteral("describes"));
        // One sentence, the description in its slot.
        QVERIFY(heard.events[3].startsWith(QStringLiteral("says Animace skončila. Dráhy ")));
        QVERIFY(heard.events[3].endsWith(QStringLiteral("při pádu vlevo.")));
    }

    void otherHandlersSayNothing_data()
    {
        QTest::addColumn<Handler>("handler");
        QTest::newRow("Load") << Handler::Load;
        QTest::newRow("Change") << Handler::Change;
        QTest::newRow("Konec") << Handler::Konec;
    }

    void otherHandlersSayNothing()
    {
        QFETCH(Handler, handler);
        RecordingForm form;
        form.texts["nSpomal"] = "100000";
        form.values["HScroll1"] = 3;
        Heard heard;
        runHandler(handler, form, heard, Language::Czech);
        QVERIFY(heard.events.isEmpty());
        QVERIFY(form.figures().empty());
    }

    void everyWiredControlIsInTheLayout()
    {
        for (const Wire &wire : wiring)
            QVERIFY2(wire.event == Event::Load ? wire.control == std::string(layout::windowName)
                                               : layout::controlNamed(wire.control) != nullptr,
                     wire.control);
    }

    void scrollBarKeys_data()
    {
        QTest::addColumn<Key>("key");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("right steps on") << Key::Right << 5 << 6;
        QTest::newRow("left steps back") << Key::Left << 5 << 4;
        QTest::newRow("page down steps on") << Key::PageDown << 5 << 6;
        QTest::newRow("page up steps back") << Key::PageUp << 5 << 4;
        QTest::newRow("home goes to the start") << Key::Home << 500 << 0;
        QTest::newRow("end goes to the end") << Key::End << 5 << 32767;
        QTest::newRow("left stops at the start") << Key::Left << 0 << 0;
        QTest::newRow("right stops at the end") << Key::Right << 32767 << 32767;
        QTest::newRow("Enter does nothing to it") << Key::Enter << 5 << 5;
    }

    void scrollBarKeys()
    {
        QFETCH(Key, key);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(scrolled(scrollMove(key), from), to);
    }
};

QTEST_GUILESS_MAIN(RulesTest)
#include "tst_rules.moc"
