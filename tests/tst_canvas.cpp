// What the canvas puts into pixels: pens, styles, fills and colours, growing without losing the
// drawing, and sharp lines at twice the pixels.
#include "app/canvas.h"

#include <QTest>

namespace {

constexpr QRgb black = 0xFF000000;

// Figures in twips; 15 twips make a pixel.
constexpr float px(int pixels)
{
    return float(pixels * 15);
}

int paintedRun(const QImage &image, int x, int fromY, int toY)
{
    int count = 0;
    for (int y = fromY; y <= toY; ++y)
        count += qAlpha(image.pixel(x, y)) != 0;
    return count;
}

} // namespace

class CanvasTest : public QObject
{
    Q_OBJECT

private slots:
    void penWidthInPixels_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("one pixel") << 1;
        QTest::newRow("photon path") << 2;
        QTest::newRow("wipe") << 5;
    }

    void penWidthInPixels()
    {
        QFETCH(int, width);
        Canvas canvas({200, 200}, 1.0);
        canvas.setDrawWidth(width);
        canvas.line(px(10), px(100), px(190), px(100));
        QCOMPARE(paintedRun(canvas.image(), 100, 80, 120), width);
    }

    void dottedLineIsDotted()
    {
        Canvas canvas({200, 50}, 1.0);
        canvas.setDrawStyle(DrawStyle::Dotted);
        canvas.line(px(10), px(20), px(190), px(20));
        const QImage &image = canvas.image();
        int on = 0, runs = 0, longest = 0, run = 0;
        for (int x = 10; x < 190; ++x) {
            const bool painted = image.pixel(x, 20) == black;
            on += painted;
            run = painted ? run + 1 : 0;
            runs += painted && run == 1;
            longest = std::max(longest, run);
        }
        QVERIFY2(on > 60 && on < 120, qPrintable(QString::number(on)));
        QVERIFY2(runs > 20, qPrintable(QString::number(runs))); // many short dashes
        QVERIFY(longest <= 4);
    }

    void widePensDrawSolidEvenWhenDotted()
    {
        Canvas canvas({200, 50}, 1.0);
        canvas.setDrawStyle(DrawStyle::Dotted);
        canvas.setDrawWidth(2);
        canvas.line(px(10), px(20), px(190), px(20));
        const QImage &image = canvas.image();
        for (int x = 12; x < 188; ++x)
            QCOMPARE(image.pixel(x, 20), black);
    }

    void lineColourIsBlueGreenRed_data()
    {
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is the lowest byte") << 0x000000FFu << QColor(255, 0, 0);
        QTest::newRow("blue is the third byte") << 0x00FF0000u << QColor(0, 0, 255);
        QTest::newRow("wipe light blue") << 0x00FFC0C0u << QColor(192, 192, 255);
    }

    void lineColourIsBlueGreenRed()
    {
        QFETCH(uint, colour);
        QFETCH(QColor, expected);
        Canvas canvas({50, 50}, 1.0);
        canvas.line(px(5), px(25), px(45), px(25), colour);
        QCOMPARE(canvas.image().pixelColor(25, 25), expected);
    }

    void circleFill_data()
    {
        QTest::addColumn<int>("fillStyle");
        QTest::addColumn<uint>("fillColour");
        QTest::addColumn<QRgb>("centre");
        QTest::newRow("solid white: the sun") << 0 << 0x00FFFFFFu << QRgb(0xFFFFFFFF);
        QTest::newRow("solid black: the hole") << 0 << 0u << black;
        QTest::newRow("transparent: only the rim") << 1 << 0x00FFFFFFu << QRgb(0);
    }

    void circleFill()
    {
        QFETCH(int, fillStyle);
        QFETCH(uint, fillColour);
        QFETCH(QRgb, centre);
        Canvas canvas({100, 100}, 1.0);
        canvas.setFillStyle(FillStyle(fillStyle));
        canvas.setFillColor(fillColour);
        canvas.circle(px(50), px(50), px(20));
        const QImage &image = canvas.image();
        QCOMPARE(image.pixel(50, 50), centre);
        QCOMPARE(image.pixel(50, 30), black); // the rim, in ForeColor
        QCOMPARE(qAlpha(image.pixel(50, 25)), 0);
    }

    void dirtyRectangleCoversTheFigure()
    {
        Canvas canvas({200, 200}, 1.0);
        QVERIFY(!canvas.hasDirty());
        canvas.setDrawWidth(5);
        canvas.line(px(20), px(30), px(60), px(90));
        const QRect dirty = canvas.takeDirty();
        QVERIFY(dirty.contains(QRect(18, 28, 45, 65)));
        QVERIFY(dirty.width() < 60);
        QVERIFY(!canvas.hasDirty());
    }

    void growingKeepsTheDrawing()
    {
        Canvas canvas({100, 100}, 1.0);
        canvas.line(px(10), px(10), px(90), px(10));
        canvas.ensureSize({300, 50});
        QCOMPARE(canvas.logicalSize(), QSize(300, 100)); // never shrinks
        QCOMPARE(canvas.image().pixel(50, 10), black);
        QCOMPARE(qAlpha(canvas.image().pixel(200, 50)), 0);
    }

    // The speed plot's dots: a circle of five twips in a two-pixel pen, filled black. At every
    // scale it is a solid blob, never a ring.
    void smallDotIsSolid_data()
    {
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.25})
            QTest::newRow(qPrintable(QStringLiteral("scale %1").arg(ratio))) << ratio;
    }

    void smallDotIsSolid()
    {
        QFETCH(qreal, ratio);
        Canvas canvas({40, 40}, ratio);
        canvas.setFillStyle(FillStyle::Solid);
        canvas.setFillColor(0);
        canvas.setDrawWidth(2);
        canvas.circle(px(20), px(20), 5);
        const QImage &image = canvas.image();
        // The four device pixels that meet at the centre, where a ring has its hole.
        const QPoint centre = (QPointF(20, 20) * ratio).toPoint();
        for (const QPoint pixel :
             {centre, centre - QPoint(1, 0), centre - QPoint(0, 1), centre - QPoint(1, 1)})
            QCOMPARE(image.pixel(pixel), black);
    }

    void twiceThePixelsStaysSharp()
    {
        Canvas canvas({100, 100}, 2.0);
        QCOMPARE(canvas.image().size(), QSize(200, 200));
        canvas.line(px(10), px(50), px(90), px(50));
        const QImage &image = canvas.image();
        // A one-pixel line is two device pixels thick, each fully painted: no blur.
        QCOMPARE(paintedRun(image, 100, 90, 110), 2);
        for (int y = 90; y <= 110; ++y) {
            const int alpha = qAlpha(image.pixel(100, y));
            QVERIFY(alpha == 0 || alpha == 255);
        }
    }
};

QTEST_GUILESS_MAIN(CanvasTest)
#include "tst_canvas.moc"
