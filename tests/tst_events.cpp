// The window's events: the pace value follows the real scroll bar, Konec ends the program, and
// input or a close request given during a run waits for the run, then happens in order.
#include "app/halmirawindow.h"
#include "core/animation/startclick.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

enum class Action {
    ArrowRight,
    ArrowLeft,
    TroughRight,
    DragToEnd,
    KeyRight,
    KeyLeft,
    PageUp,
    PageDown,
    End,
    Home
};

} // namespace

class EventsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HalmiraWindow> window;
    QScrollBar *scroll = nullptr;
    QStringList log;

    template <typename T = QWidget> T *find(const char *name) const
    {
        return window->findChild<T *>(QString::fromUtf8(name));
    }
    QString pace() const { return find<QLineEdit>("nSpomal")->text(); }

    template <typename Sender, typename Signal>
    void logWhen(Sender *sender, Signal signal, const QString &what)
    {
        connect(sender, signal, this,
                [this, what] { log << (window->running() ? what + " during a run" : what); });
    }

    void perform(Action action)
    {
        const int middle = scroll->height() / 2;
        switch (action) {
        case Action::ArrowRight:
            return QTest::mouseClick(scroll, Qt::LeftButton, {}, {scroll->width() - 4, middle});
        case Action::ArrowLeft:
            return QTest::mouseClick(scroll, Qt::LeftButton, {}, {4, middle});
        case Action::TroughRight:
            return QTest::mouseClick(scroll, Qt::LeftButton, {}, {scroll->width() - 30, middle});
        case Action::DragToEnd: {
            const QPoint thumb(scroll->height() + 5, middle);
            QTest::mousePress(scroll, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(scroll, {scroll->width() / 2, middle});
            QTest::mouseMove(scroll, {scroll->width() + 50, middle});
            return QTest::mouseRelease(scroll, Qt::LeftButton, {}, {scroll->width() + 50, middle});
        }
        case Action::KeyRight:
            return QTest::keyClick(scroll, Qt::Key_Right);
        case Action::KeyLeft:
            return QTest::keyClick(scroll, Qt::Key_Left);
        case Action::PageUp:
            return QTest::keyClick(scroll, Qt::Key_PageUp);
        case Action::PageDown:
            return QTest::keyClick(scroll, Qt::Key_PageDown);
        case Action::End:
            return QTest::keyClick(scroll, Qt::Key_End);
        case Action::Home:
            return QTest::keyClick(scroll, Qt::Key_Home);
        }
    }

private slots:
    void init()
    {
        window = std::make_unique<HalmiraWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        scroll = find<QScrollBar>("HScroll1");
        log.clear();
    }

    void cleanup() { window.reset(); }

    void paceIsSetBeforeAnyInput() { QCOMPARE(pace(), QStringLiteral("100000")); }

    void scrollBarSetsThePace_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("right arrow") << 0 << Action::ArrowRight << 1 << "100100";
        QTest::newRow("left arrow back to 0") << 1 << Action::ArrowLeft << 0 << "100000";
        QTest::newRow("trough, one step") << 5 << Action::TroughRight << 6 << "100600";
        QTest::newRow("thumb dragged to the end") << 0 << Action::DragToEnd << 32767 << "3376700";
        QTest::newRow("right key increases") << 0 << Action::KeyRight << 1 << "100100";
        QTest::newRow("left key decreases") << 1 << Action::KeyLeft << 0 << "100000";
        QTest::newRow("page up, one step back") << 7 << Action::PageUp << 6 << "100600";
        QTest::newRow("page down, one step on") << 8 << Action::PageDown << 9 << "100900";
        QTest::newRow("End key") << 0 << Action::End << 32767 << "3376700";
        QTest::newRow("Home key") << 32767 << Action::Home << 0 << "100000";
    }

    void scrollBarSetsThePace()
    {
        QFETCH(int, from);
        QFETCH(Action, action);
        QFETCH(int, value);
        QFETCH(QString, text);
        scroll->setValue(from);
        QSignalSpy changes(scroll, &QScrollBar::valueChanged);
        scroll->setFocus();
        perform(action);
        QCOMPARE(scroll->value(), value);
        QCOMPARE(changes.count(), 1); // a drag reports once, on release
        QCOMPARE(pace(), text);
    }

    // The program's exit status is checked on the real display: Qt emits lastWindowClosed
    // only while the application's own event loop runs.
    void konecClosesTheWindow()
    {
        QTest::mouseClick(find("comKonec"), Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }

    void inputDuringARunWaitsThenComesInOrder()
    {
        find<QLineEdit>("nSpomal")->setText(QStringLiteral("0")); // a quick first run
        logWhen(scroll, &QScrollBar::valueChanged, QStringLiteral("change"));
        logWhen(find<QPushButton>("comStart"), &QPushButton::clicked, QStringLiteral("start"));
        logWhen(find<QPushButton>("comKonec"), &QPushButton::clicked, QStringLiteral("konec"));
        QSignalSpy held(&window->inputGate(), &InputGate::inputHeld);

        // Fires inside the first run, when it presents its first frame. The input comes as the
        // window system gives it, to the window: a key goes where the focus is when it is
        // delivered, and the click on the scroll bar gives it the focus first.
        QTimer::singleShot(0, this, [this] {
            log << (window->running() ? "first run going" : "first run not going");
            QWindow *handle = window->windowHandle();
            const auto at = [this](const char *name, QPoint point) {
                return find(name)->mapTo(window.get(), point);
            };
            QTest::mouseClick(handle, Qt::LeftButton, {}, at("HScroll1", {scroll->width() - 4, 8}));
            QTest::keyClick(handle, Qt::Key_Right);
            QTest::mouseClick(handle, Qt::LeftButton, {}, at("comStart", {10, 10}));
            QTest::mouseClick(handle, Qt::LeftButton, {}, at("comKonec", {10, 10}));
        });
        QTest::mouseClick(find("comStart"), Qt::LeftButton);
        log << "first run ended";

        QVERIFY(held.count() >= 8); // press and release for each click, two key events
        QVERIFY(window->isVisible());
        QCOMPARE(pace(), QStringLiteral("0"));
        // The held input is delivered without any further input.
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 30000);
        QCOMPARE(log, QStringList({"first run going", "start", "first run ended", "change",
                                   "change", "start", "konec"}));
        QCOMPARE(pace(), QStringLiteral("100200"));
    }

    // The user goes on giving input as a run ends. The held input is delivered a turn of the
    // event loop at a time, and what is given between two of those turns waits behind the rest:
    // the scroll bar's Home, given after the first held arrow has been delivered, comes after
    // the other held arrows, and the Konec after it comes last of all.
    void inputGivenWhileHeldInputIsDeliveredWaitsItsTurn()
    {
        find<QLineEdit>("nSpomal")->setText(QStringLiteral("0")); // a quick run
        logWhen(scroll, &QScrollBar::valueChanged, QStringLiteral("change"));
        logWhen(find<QPushButton>("comKonec"), &QPushButton::clicked, QStringLiteral("konec"));
        QWindow *handle = window->windowHandle();
        const QPoint arrow = scroll->mapTo(window.get(), QPoint(scroll->width() - 4, 8));
        const QPoint konec = find("comKonec")->mapTo(window.get(), QPoint(10, 10));

        QTimer::singleShot(0, this, [&] {
            for (int i = 0; i < 3; ++i)
                QTest::mouseClick(handle, Qt::LeftButton, {}, arrow);
        });
        bool given = false;
        connect(scroll, &QScrollBar::valueChanged, this, [&] {
            if (window->running() || given)
                return;
            given = true;
            // The next turn, between this delivery and the next.
            QMetaObject::invokeMethod(
                this,
                [&] {
                    log << (window->inputGate().holding() ? "given while held" : "given idle");
                    QTest::keyClick(handle, Qt::Key_Home);
                    QTest::mouseClick(handle, Qt::LeftButton, {}, arrow);
                    QTest::mouseClick(handle, Qt::LeftButton, {}, konec);
                },
                Qt::QueuedConnection);
        });
        QTest::mouseClick(find("comStart"), Qt::LeftButton);

        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 30000);
        QCOMPARE(log, QStringList({"change", "given while held", "change", "change", "change",
                                   "change", "konec"}));
        QCOMPARE(scroll->value(), 1);
        QCOMPARE(pace(), QStringLiteral("100100"));
    }

    // Return and keypad Enter click the focused button, as Space does.
    void enterClicksTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::newRow("Return on Start") << "comStart" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on Start") << "comStart" << int(Qt::Key_Enter);
        QTest::newRow("Return on Konec") << "comKonec" << int(Qt::Key_Return);
    }

    void enterClicksTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        find<QLineEdit>("nSpomal")->setText(QStringLiteral("0")); // a quick run
        auto *target = window->findChild<QPushButton *>(button);
        QSignalSpy clicks(target, &QPushButton::clicked);
        target->setFocus();
        const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCOMPARE(clicks.count(), 1);
    }

    // An arrow held down as a run starts repeats no further until the run is over, and once
    // released it stays still: the pace stays what the scroll bar shows.
    void heldArrowWaitsForTheRun()
    {
        const QPoint arrow(scroll->width() - 4, scroll->height() / 2);
        QTest::mousePress(scroll, Qt::LeftButton, {}, arrow);
        QCOMPARE(scroll->value(), 1);
        int duringRun = -1;
        QTimer::singleShot(1200, this, [&] { duringRun = scroll->value(); });
        window->run(comStartClick); // 1.7 s of waits, in which a repeat would come every 50 ms
        QCOMPARE(duringRun, 1);
        QTest::mouseRelease(scroll, Qt::LeftButton, {}, arrow);
        QTest::qWait(800);
        QCOMPARE(scroll->value(), 1);
        QCOMPARE(pace(), QStringLiteral("100100"));
    }

    // However large the window system makes the window, it stays within the screens, and the
    // canvas within the scene.
    void sizeStaysBounded()
    {
        window->resize(32767, 32767);
        const QSize screens = window->screen()->availableVirtualSize();
        QVERIFY(window->width() <= screens.width() && window->height() <= screens.height());

        CanvasView &view = window->canvasView();
        window->hide(); // a hidden window keeps no backing store of this size
        view.resize(32767, 32767);
        QResizeEvent grown(view.size(), WidgetForm::sceneSize);
        QApplication::sendEvent(&view, &grown);
        QCOMPARE(view.canvas().logicalSize(), WidgetForm::largestCanvas);
    }

    void closeRequestDuringARunWaits()
    {
        find<QLineEdit>("nSpomal")->setText(QStringLiteral("0"));
        bool acceptedDuringRun = true;
        bool visibleAfterRequest = false;
        QTimer::singleShot(0, this, [&] {
            // Both ways a close request comes: a spontaneous close event, and close().
            QCloseEvent request;
            QApplication::sendEvent(window.get(), &request);
            acceptedDuringRun = request.isAccepted();
            window->close();
            visibleAfterRequest = window->isVisible();
        });
        QTest::mouseClick(find("comStart"), Qt::LeftButton);
        QVERIFY(!acceptedDuringRun);
        QVERIFY(visibleAfterRequest);
        QVERIFY(find("nVzdálenost")->isVisible()); // the run finished
        QTRY_VERIFY(!window->isVisible());
    }
};

QTEST_MAIN(EventsTest)
#include "tst_events.moc"
