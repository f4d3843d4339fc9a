// The Start handler's frame, checked call by call on a recording stand-in: the wipe, the axes,
// the guide rays and discs of every ray, and the two plot captions.
#include "tests/support/recordingform.h"

#include "core/animation/startclick.h"

#include <QTest>

#include <cmath>

using Kind = RecordingForm::Kind;

class StartSceneTest : public QObject
{
    Q_OBJECT

private:
    RecordingForm form;
    std::vector<RecordingForm::Call> figures;

    std::vector<std::size_t> guideIndices() const
    {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < figures.size(); ++i)
            if (figures[i].kind == Kind::Line && figures[i].drawStyle == DrawStyle::Dotted)
                found.push_back(i);
        return found;
    }

private slots:
    void initTestCase()
    {
        form.texts["nSpomal"] = "0"; // no pace waits
        comStartClick(form);
        figures = form.figures();
    }

    void stateIsSetBeforeTheWipe()
    {
        QVERIFY(form.calls.size() > 3);
        QCOMPARE(form.calls[0].kind, Kind::ScaleMode);
        QCOMPARE(form.calls[0].number, 1.0);
        QCOMPARE(form.calls[1].kind, Kind::FillStyle);
        QCOMPARE(form.calls[1].number, 0.0);
        QCOMPARE(form.calls[2].kind, Kind::DrawWidth);
        QCOMPARE(form.calls[2].number, 5.0);
    }

    void wipeIsTheFirstDrawing()
    {
        QVERIFY(figures.size() > 10000);
        for (int i = 0; i < 10000; ++i) {
            const auto &line = figures[std::size_t(i)];
            QVERIFY2(line.kind == Kind::Line && line.hasColour, qPrintable(QString::number(i)));
            QCOMPARE(line.colour, Colour(0x00FFC0C0));
            QCOMPARE(line.drawWidth, 5);
            QCOMPARE(line.x1, 0.0f);
            QCOMPARE(line.x2, 12000.0f);
            QCOMPARE(line.y1, float(i + 1));
            QCOMPARE(line.y2, float(i + 1));
        }
    }

    void axesFollowTheWipe_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QLineF>("expected");
        QTest::newRow("horizontal axis") << 10000 << QLineF(9000, 5500, 11600, 5500);
        QTest::newRow("vertical axis") << 10001 << QLineF(10300, 6000, 10300, 1200);
    }

    void axesFollowTheWipe()
    {
        QFETCH(int, index);
        QFETCH(QLineF, expected);
        const auto &axis = figures.at(std::size_t(index));
        QCOMPARE(axis.kind, Kind::Line);
        QVERIFY(!axis.hasColour);
        QCOMPARE(axis.drawWidth, 1);
        QCOMPARE(axis.drawStyle, DrawStyle::Solid);
        QCOMPARE(QLineF(axis.x1, axis.y1, axis.x2, axis.y2), expected);
    }

    void guideRays_data()
    {
        QTest::addColumn<int>("ray");
        QTest::addColumn<double>("endX");
        QTest::addColumn<double>("endY");
        QTest::newRow("ray 0 runs right") << 0 << 8700.0 << 5500.0;
        // 89.95°, not 90°: π is taken as 3.14.
        QTest::newRow("ray 9 runs almost straight up") << 9 << 4503.34 << 1300.0;
        QTest::newRow("ray 18 ends 7 twips above the horizontal") << 18 << 300.01 << 5493.31;
    }

    void guideRays()
    {
        QFETCH(int, ray);
        QFETCH(double, endX);
        QFETCH(double, endY);
        const auto guides = guideIndices();
        QCOMPARE(guides.size(), std::size_t(19));
        const auto &guide = figures[guides[std::size_t(ray)]];
        QCOMPARE(guide.drawWidth, 1);
        QVERIFY(!guide.hasColour);
        QCOMPARE(guide.x1, 4500.0f);
        QCOMPARE(guide.y1, 5500.0f);
        QVERIFY2(std::abs(guide.x2 - endX) < 0.01, qPrintable(QString::number(guide.x2)));
        QVERIFY2(std::abs(guide.y2 - endY) < 0.01, qPrintable(QString::number(guide.y2)));
    }

    void discsFollowEveryGuideRay()
    {
        struct Disc {
            float x, y, radius;
            Colour fill;
        };
        const Disc expected[] = {
            {4450, 5500, 50, 0x00FFFFFF}, // the sun touches the emission point
            {4500, 6000, 500, 0},         // the hole, its top at the emission point
            {4500, 6000, 10, 0},          // the dot at its centre
        };
        for (std::size_t guide : guideIndices()) {
            for (std::size_t d = 0; d < 3; ++d) {
                const auto &disc = figures.at(guide + 1 + d);
                QCOMPARE(disc.kind, Kind::Circle);
                QCOMPARE(disc.x1, expected[d].x);
                QCOMPARE(disc.y1, expected[d].y);
                QCOMPARE(disc.x2, expected[d].radius);
                QCOMPARE(disc.fillColor, expected[d].fill);
                QCOMPARE(disc.fillStyle, FillStyle::Solid);
                QCOMPARE(disc.drawStyle, DrawStyle::Solid);
                QCOMPARE(disc.drawWidth, 1);
            }
        }
    }

    void captionsMoveTopThenLeftThenShow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::newRow("speed caption under the axis") << "nRychlostFotonu" << 5700.0 << 9650.0;
        QTest::newRow("distance caption by the axis top") << "nVzdálenost" << 1200.0 << 8900.0;
    }

    void captionsMoveTopThenLeftThenShow()
    {
        QFETCH(QString, name);
        QFETCH(double, top);
        QFETCH(double, left);
        const std::string control = name.toStdString();
        std::vector<RecordingForm::Call> moves;
        for (const auto &call : form.calls)
            if (call.control == control)
                moves.push_back(call);
        QCOMPARE(moves.size(), std::size_t(3));
        QCOMPARE(moves[0].kind, Kind::SetTop);
        QCOMPARE(moves[0].number, top);
        QCOMPARE(moves[1].kind, Kind::SetLeft);
        QCOMPARE(moves[1].number, left);
        QCOMPARE(moves[2].kind, Kind::SetVisible);
        QCOMPARE(moves[2].number, 1.0);
        // They come after everything is drawn.
        QCOMPARE(form.calls.back().kind, Kind::SetVisible);
    }
};

QTEST_GUILESS_MAIN(StartSceneTest)
#include "tst_startscene.moc"
