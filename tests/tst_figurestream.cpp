// The figure stream every front end replays: which lines join in a band, what is handed over and
// what is kept to draw the scene again, and a replay drawing what the calls drew.
#include "core/figurereplay.h"
#include "core/figurestream.h"

#include <QTest>

#include <vector>

using figures::Op;
using figures::Record;

namespace {

struct Drawn {
    float x1, y1, x2, y2;
    Colour colour;
    int width;
};

// A canvas that notes each figure it is given.
struct NotingCanvas {
    std::vector<Drawn> lines;
    int circles = 0;
    void line(float x1, float y1, float x2, float y2, Colour colour, const DrawingState &state)
    {
        lines.push_back({x1, y1, x2, y2, colour, state.drawWidth});
    }
    void circle(float, float, float, const DrawingState &) { ++circles; }
};

QString ops(std::span<const Record> records)
{
    QStringList names;
    for (const Record &record : records)
        names << QString::fromLatin1(
            figures::opNames[static_cast<std::size_t>(figures::opOf(record)) - 1].name);
    return names.join(' ');
}

} // namespace

class FigureStreamTest : public QObject
{
    Q_OBJECT

private slots:
    // Two lines across, the second one twip below the first.
    void bands_data()
    {
        QTest::addColumn<float>("x1");
        QTest::addColumn<float>("y");
        QTest::addColumn<float>("x2");
        QTest::addColumn<float>("colour");
        QTest::addColumn<QString>("recorded");
        QTest::newRow("the next row, as long, in the same colour")
            << 0.f << 2.f << 100.f << 7.f << "Band";
        QTest::newRow("a row skipped") << 0.f << 3.f << 100.f << 7.f << "Line Line";
        QTest::newRow("the same row again") << 0.f << 1.f << 100.f << 7.f << "Line Line";
        QTest::newRow("shorter") << 0.f << 2.f << 90.f << 7.f << "Line Line";
        QTest::newRow("another colour") << 0.f << 2.f << 100.f << 8.f << "Line Line";
        QTest::newRow("in ForeColor") << 0.f << 2.f << 100.f << figures::foreColor << "Line Line";
    }

    void bands()
    {
        QFETCH(float, x1);
        QFETCH(float, y);
        QFETCH(float, x2);
        QFETCH(float, colour);
        QFETCH(QString, recorded);
        FigureStream stream;
        stream.line(0, 1, 100, 1, 7);
        stream.line(x1, y, x2, y, colour);
        QCOMPARE(ops(stream.pending()), recorded);
        QCOMPARE(ops(stream.kept()), recorded);
    }

    void aBandGrowsRowByRowAndStopsAtAnotherFigure()
    {
        FigureStream stream;
        for (int y = 1; y <= 10000; ++y)
            stream.line(0, float(y), 12000, float(y), 0xFFC0C0);
        stream.line(0, 10001, 10, 20000, 0xFFC0C0); // slanting: no row
        QCOMPARE(ops(stream.pending()), QStringLiteral("Band Line"));
        QCOMPARE(stream.pending()[0][figures::Y1], 1.f);
        QCOMPARE(stream.pending()[0][figures::Y2], 10000.f);
    }

    // A band handed over half way goes on in the kept records; what is handed over next starts
    // anew, so nothing is handed over twice.
    void aBandHandedOverHalfWay()
    {
        FigureStream stream;
        stream.line(0, 1, 100, 1, 7);
        stream.line(0, 2, 100, 2, 7);
        stream.handedOver();
        stream.line(0, 3, 100, 3, 7);
        stream.line(0, 4, 100, 4, 7);
        QCOMPARE(ops(stream.pending()), QStringLiteral("Band"));
        QCOMPARE(stream.pending()[0][figures::Y1], 3.f);
        QCOMPARE(ops(stream.kept()), QStringLiteral("Band"));
        QCOMPARE(stream.kept()[0][figures::Y1], 1.f);
        QCOMPARE(stream.kept()[0][figures::Y2], 4.f);
    }

    // After a cover only the drawing state is kept of what went before.
    void coverKeepsTheDrawingStateOnly()
    {
        FigureStream stream;
        stream.setDrawWidth(5);
        stream.setFillColor(0xFFFFFF);
        stream.line(0, 0, 10, 10, figures::foreColor);
        stream.covered();
        stream.circle(1, 2, 3);
        QCOMPARE(ops(stream.pending()), QStringLiteral("DrawWidth FillColor Line Covered Circle"));
        QCOMPARE(ops(stream.kept()),
                 QStringLiteral("DrawWidth DrawStyle FillStyle FillColor Circle"));
        QCOMPARE(stream.kept()[0][figures::Value], 5.f);
        QCOMPARE(stream.kept()[3][figures::Value], float(0xFFFFFF));
    }

    // Replayed, a band is the lines it stands for, each in the pen it was drawn with.
    void replayDrawsWhatWasDrawn()
    {
        FigureStream stream;
        stream.setDrawWidth(5);
        for (int y = 1; y <= 3; ++y)
            stream.line(0, float(y), 100, float(y), 0xFFC0C0);
        stream.setDrawWidth(2);
        stream.line(10, 20, 30, 40, figures::foreColor);
        stream.circle(1, 2, 3);
        NotingCanvas canvas;
        DrawingState state;
        figures::replay(stream.kept(), state, canvas);
        QCOMPARE(canvas.lines.size(), std::size_t(4));
        for (int y = 1; y <= 3; ++y) {
            const Drawn &line = canvas.lines[std::size_t(y - 1)];
            QCOMPARE(line.y1, float(y));
            QCOMPARE(line.y2, float(y));
            QCOMPARE(line.colour, Colour(0xFFC0C0));
            QCOMPARE(line.width, 5);
        }
        QCOMPARE(canvas.lines[3].colour, pen::foreColor);
        QCOMPARE(canvas.lines[3].width, 2);
        QCOMPARE(canvas.circles, 1);
        QCOMPARE(state.drawWidth, 2);
    }

    void penCoversSmallCircles_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("style");
        QTest::addColumn<double>("radius");
        QTest::addColumn<bool>("covers");
        QTest::newRow("the speed plot's dot") << 2 << 0 << 5 / 15.0 << true;
        QTest::newRow("the hole's centre, one pixel pen") << 1 << 0 << 10 / 15.0 << false;
        QTest::newRow("half the pen is the radius") << 2 << 0 << 1.0 << true;
        QTest::newRow("dotted draws its rim") << 2 << 2 << 5 / 15.0 << false;
    }

    void penCoversSmallCircles()
    {
        QFETCH(int, width);
        QFETCH(int, style);
        QFETCH(double, radius);
        QFETCH(bool, covers);
        DrawingState state;
        state.drawWidth = width;
        state.drawStyle = DrawStyle(style);
        QCOMPARE(pen::coversCircle(state, radius), covers);
    }
};

QTEST_GUILESS_MAIN(FigureStreamTest)
#include "tst_figurestream.moc"
