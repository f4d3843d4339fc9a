// The scene as it reaches the window: the drawing covers the preview picture and the hint, stays
// under the windowed controls, and survives resizing and being hidden and shown again.
#include "app/halmirawindow.h"

#include <QPushButton>
#include <QTest>

namespace {

const QColor wipeColour(192, 192, 255);
const QColor previewBackground(166, 202, 240);

} // namespace

class ScenePixelsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HalmiraWindow> window;

    QColor pixel(QPoint at) const { return window->grab().toImage().pixelColor(at); }

private slots:
    void initTestCase()
    {
        registerFontSubstitutes();
        window = std::make_unique<HalmiraWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void previewShowsBeforeStart()
    {
        QCOMPARE(pixel({150, 500}), previewBackground);
        QTest::mouseClick(window->findChild<QPushButton *>("comStart"), Qt::LeftButton);
    }

    void sceneAfterStart_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("hole") << QPoint(300, 420) << QColor(Qt::black);
        QTest::newRow("sun") << QPoint(295, 365) << QColor(Qt::white);
        QTest::newRow("wipe covers the preview") << QPoint(150, 500) << wipeColour;
        QTest::newRow("wipe covers the hint") << QPoint(700, 60) << wipeColour;
        QTest::newRow("vertical plot axis") << QPoint(686, 200) << QColor(Qt::black);
        QTest::newRow("horizontal plot axis") << QPoint(620, 366) << QColor(Qt::black);
    }

    void sceneAfterStart()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QCOMPARE(pixel(at), colour);
    }

    void windowedControlsStayOnTop_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Start") << "comStart";
        QTest::newRow("Konec") << "comKonec";
        QTest::newRow("scroll bar") << "HScroll1";
    }

    void windowedControlsStayOnTop()
    {
        QFETCH(QString, name);
        QWidget *control = window->findChild<QWidget *>(name);
        // The control looks the same whether or not the wipe ran over the place it stands.
        // Its outermost pixels are left out: some styles let the background show there.
        const QRect inner = control->rect().adjusted(2, 2, -2, -2);
        const QImage shown = window->grab(inner.translated(control->pos())).toImage();
        const QImage own = control->grab(inner).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 own.convertToFormat(QImage::Format_RGB32));
    }

    void plotCaptionsAreShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("speed") << "nRychlostFotonu" << QPoint(643, 380);
        QTest::newRow("distance") << "nVzdálenost" << QPoint(593, 80);
    }

    void plotCaptionsAreShown()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, place);
        QWidget *caption = window->findChild<QWidget *>(name);
        QVERIFY(caption->isVisible());
        QCOMPARE(caption->pos(), place);
    }

    void drawingSurvives_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(1100, 800);
        QTest::newRow("smaller") << QSize(300, 200);
        QTest::newRow("back") << QSize(800, 550);
    }

    void drawingSurvives()
    {
        QFETCH(QSize, size);
        window->resize(size);
        window->hide();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->resize(800, 550);
        QCOMPARE(pixel({300, 420}), QColor(Qt::black));
        QCOMPARE(pixel({150, 500}), wipeColour);
    }

    void secondRunLeavesTheCaptionsInPlace()
    {
        QTest::mouseClick(window->findChild<QPushButton *>("comStart"), Qt::LeftButton);
        QCOMPARE(window->findChild<QWidget *>("nRychlostFotonu")->pos(), QPoint(643, 380));
        QCOMPARE(pixel({295, 365}), QColor(Qt::white));
    }
};

QTEST_MAIN(ScenePixelsTest)
#include "tst_scenepixels.moc"
