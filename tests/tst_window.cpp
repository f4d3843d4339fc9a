// The window as first shown: every control's kind, text, place, visibility and font, the
// caption boxes, the tab order and the first focus.
#include "app/halmirawindow.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

class WindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HalmiraWindow> window;

    template <typename T = QWidget> T *find(const QString &name) const
    {
        return window->findChild<T *>(name, Qt::FindDirectChildrenOnly);
    }

private slots:
    void initTestCase()
    {
        registerFontSubstitutes();
        window = std::make_unique<HalmiraWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry"); // logical pixels: twips / 15
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<bool>("bold");

        // clang-format off
        QTest::newRow("distance caption") << "nVzdálenost" << "QLineEdit" << "Vzdálenost" << QRect(16, 128, 89, 19) << false << 16 << false;
        QTest::newRow("red shift caption") << "nCervenýPosuv" << "QLineEdit" << "červený posuv spektra" << QRect(432, 512, 153, 25) << false << 13 << false;
        QTest::newRow("sun caption") << "nSlunce" << "QLineEdit" << "Slunce" << QRect(80, 8, 49, 25) << false << 13 << false;
        QTest::newRow("speed caption") << "nRychlostFotonu" << "QLineEdit" << "Rychlost fotonu" << QRect(16, 104, 129, 23) << false << 16 << false;
        QTest::newRow("earth clock, one space") << "nHodinyZemC" << "QLineEdit" << "čas hodin na zemi" << QRect(16, 80, 113, 19) << false << 13 << false;
        QTest::newRow("photon clock, two spaces") << "nHodinyFotonu" << "QLineEdit" << "čas  hodin fotonu" << QRect(16, 32, 113, 19) << false << 13 << false;
        QTest::newRow("earth clock, two spaces") << "nHodinyZem" << "QLineEdit" << "čas  hodin na zemi" << QRect(16, 56, 113, 25) << false << 13 << false;
        QTest::newRow("scroll bar caption") << "labSpomal" << "QLineEdit" << "Zpomalení animace" << QRect(264, 56, 145, 19) << true << 13 << true;
        QTest::newRow("scroll bar") << "HScroll1" << "QScrollBar" << "" << QRect(264, 32, 137, 17) << true << 11 << false;
        QTest::newRow("pace value") << "nSpomal" << "QLineEdit" << "100000" << QRect(144, 56, 89, 19) << false << 11 << false;
        QTest::newRow("spectrum") << "Spektrum" << "QLabel" << "" << QRect(184, 496, 233, 49) << false << 11 << false;
        QTest::newRow("Konec") << "comKonec" << "QPushButton" << "Konec" << QRect(624, 8, 65, 25) << true << 16 << true;
        QTest::newRow("Start") << "comStart" << "QPushButton" << "Start" << QRect(544, 8, 65, 25) << true << 16 << true;
        QTest::newRow("title box") << "nTovenika" << "QLineEdit" << "Halmira" << QRect(288, 8, 121, 25) << true << 18 << true;
        QTest::newRow("preview") << "Image1" << "QLabel" << "" << QRect(96, 88, 579, 459) << true << 11 << false;
        QTest::newRow("hint") << "labKlikněte" << "QLabel" << "Klikněte na Start" << QRect(536, 40, 169, 25) << true << 18 << true;
        // clang-format on
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(bool, shown);
        QFETCH(int, fontPixels);
        QFETCH(bool, bold);

        QWidget *control = find(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(control->inherits(qPrintable(className)), control->metaObject()->className());
        if (auto *box = qobject_cast<QLineEdit *>(control))
            QCOMPARE(box->text(), text);
        else if (auto *button = qobject_cast<QPushButton *>(control))
            QCOMPARE(button->text(), text);
        else if (auto *label = qobject_cast<QLabel *>(control); label && !text.isEmpty())
            QCOMPARE(label->text(), text);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->isVisible(), shown);
        QCOMPARE(control->font().pixelSize(), fontPixels);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->font().family(), QStringLiteral("MS Sans Serif"));
    }

    void visibleControlsHaveAccessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("title box") << "nTovenika"
                                   << "Halmira";
        QTest::newRow("Start") << "comStart"
                               << "Start";
        QTest::newRow("Konec") << "comKonec"
                               << "Konec";
        QTest::newRow("hint") << "labKlikněte"
                              << "Klikněte na Start";
        QTest::newRow("scroll bar says what it does") << "HScroll1"
                                                      << "Zpomalení animace";
        QTest::newRow("its caption") << "labSpomal"
                                     << "Zpomalení animace";
        QTest::newRow("preview") << "Image1"
                                 << "Světlo unikající z okraje černé díry";
    }

    void visibleControlsHaveAccessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(find(name));
        QVERIFY(face);
        QCOMPARE(face->text(QAccessible::Name), accessible);
    }

    void fontResolvesToAMetricCloseFace()
    {
        // fontconfig on its own would file the design font under a much wider face.
        QCOMPARE(QFontInfo(find("comStart")->font()).family(), QStringLiteral("Liberation Sans"));
    }

    void captionBoxesHaveNoBorderAndNoTabStop_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name :
             {"nVzdálenost", "nCervenýPosuv", "nSlunce", "nRychlostFotonu", "nHodinyZemC",
              "nHodinyFotonu", "nHodinyZem", "labSpomal", "nTovenika"})
            QTest::newRow(name) << QString::fromUtf8(name);
    }

    void captionBoxesHaveNoBorderAndNoTabStop()
    {
        QFETCH(QString, name);
        auto *box = find<QLineEdit>(name);
        QVERIFY(box);
        QVERIFY(!box->hasFrame());
        QVERIFY(!box->isReadOnly());
        QCOMPARE(box->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(box->palette().color(QPalette::Base), QColor(192, 192, 255));
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("preview") << "Image1" << QSize(579, 459);
        QTest::newRow("spectrum") << "Spektrum" << QSize(231, 56);
    }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        auto *picture = find<QLabel>(name);
        QVERIFY(picture);
        QCOMPARE(picture->pixmap().size(), size);
    }

    void window_()
    {
        QCOMPARE(window->objectName(), QStringLiteral("Halmira"));
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Halmira – ")));
        QVERIFY(window->windowTitle().contains(QStringLiteral(".example")));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(192, 192, 255));
        // Wide enough for the speed plot: 12000 twips across.
        QVERIFY(window->width() >= 800);
        QVERIFY(window->height() >= 550);
    }

    void firstFocusAndTabOrder()
    {
        QCOMPARE(QApplication::focusWidget(), find("comStart"));
        const char *order[] = {"comKonec", "HScroll1", "comStart", "comKonec"};
        for (const char *next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromUtf8(next));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
