// The teacher's picture of a run: an SVG that is well-formed, holds every figure of the stream,
// draws in a real SVG renderer (rsvg-convert) what the window's canvas draws, and carries the
// captions and what it says of itself in the window's language.
#include "app/halmirawindow.h"
#include "app/picturepainter.h"
#include "core/animation/startclick.h"
#include "core/picture/pngtext.h"
#include "core/picture/svgpicture.h"
#include "core/twips.h"
#include "core/version.h"
#include "ink.h"

#include <QBuffer>
#include <QImageReader>
#include <QLineEdit>
#include <QTest>
#include <QXmlStreamReader>

class PictureTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<HalmiraWindow> window;
    std::vector<figures::Record> records;

    // The captions as the window shows them now.
    std::vector<picture::Shown> shown(std::vector<std::string> &texts) const
    {
        std::vector<picture::Shown> all;
        texts.reserve(layout::controls.size());
        for (const layout::Control &row : layout::controls) {
            const auto *box = qobject_cast<QLineEdit *>(window->control(row.name));
            if (!box || !box->isVisible())
                continue;
            texts.push_back(box->text().toStdString());
            all.push_back(
                {row.name, texts.back(), box->x() * twipsPerPixel, box->y() * twipsPerPixel});
        }
        return all;
    }

private slots:
    void initTestCase()
    {
        registerFontSubstitutes();
        window = std::make_unique<HalmiraWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->run(comStartClick);
        const auto kept = window->canvasView().canvas().kept();
        records.assign(kept.begin(), kept.end());
        QVERIFY(records.size() > 10000);
    }

    void wellFormedWithEveryFigure()
    {
        const QString svg = QString::fromStdString(picture::svg(records, {}, {}));
        QXmlStreamReader xml(svg);
        long segments = 0, circles = 0, rects = 0, dotted = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const auto attributes = xml.attributes();
            if (xml.name() == u"path") {
                segments += attributes.value("d").count(u'M');
                dotted += attributes.hasAttribute("stroke-dasharray");
            }
            circles += xml.name() == u"circle";
            rects += xml.name() == u"rect";
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        long lines = 0, discs = 0, bands = 0;
        for (const figures::Record &r : records) {
            lines += figures::opOf(r) == figures::Op::Line;
            discs += figures::opOf(r) == figures::Op::Circle;
            bands += figures::opOf(r) == figures::Op::Band;
        }
        // Each line a segment of a path, each circle an element, the wipe one band.
        QCOMPARE(segments, lines);
        QCOMPARE(circles, discs);
        QCOMPARE(rects - 1, bands); // and the canvas's clip
        QCOMPARE(dotted, long(scene::rayCount));
    }

    // rsvg-convert at 15 twips a pixel against the canvas the window drew.
    void drawsWhatTheCanvasDraws()
    {
        const picture::Extent e = picture::extentOf(records);
        QCOMPARE(e.left, 0.0);
        QCOMPARE(e.top, 0.0);
        const QImage svg = renderedSvg(QByteArray::fromStdString(picture::svg(records, {}, {})));
        const QImage canvas = window->canvasView().canvas().image();
        QCOMPARE(svg.size(), canvas.size());
        const auto a = ink(svg), b = ink(canvas);
        const double svgAlone = unmatched(a, b, svg.width());
        const double canvasAlone = unmatched(b, a, svg.width());
        qInfo("unmatched ink: %.4f of the SVG's, %.4f of the canvas's", svgAlone, canvasAlone);
        QVERIFY(svgAlone <= 0.005);
        QVERIFY(canvasAlone <= 0.005);
    }

    // The desktop's own picture, drawn by Qt's painter shape by shape, against the SVG drawn by
    // rsvg-convert at the same resolution: at the screen's, and at print resolution.
    void imageMatchesTheSvg_data()
    {
        QTest::addColumn<double>("twipsPerPixel");
        QTest::newRow("twice the screen") << twipsPerPixel / 2;
        QTest::newRow("print") << picture::printTwipsPerPixel;
    }

    void imageMatchesTheSvg()
    {
        QFETCH(double, twipsPerPixel);
        const picture::Drawing drawing = window->pictureMenu().drawing();
        QCOMPARE(drawing.captions.size(), std::size_t(2));
        const QImage painted = picture::image(drawing, twipsPerPixel);
        const QImage svg = renderedSvg(QByteArray::fromStdString(picture::svg(drawing, {})),
                                       {"-z", QString::number(::twipsPerPixel / twipsPerPixel)});
        QCOMPARE(svg.size(), painted.size());
        const auto a = ink(svg), b = ink(painted);
        const double svgAlone = unmatched(a, b, svg.width());
        const double paintedAlone = unmatched(b, a, svg.width());
        qInfo("%d x %d px: unmatched ink %.4f of the SVG's, %.4f of the painted", svg.width(),
              svg.height(), svgAlone, paintedAlone);
        QVERIFY(svgAlone <= 0.005);
        QVERIFY(paintedAlone <= 0.005);
    }

    // A PNG a front end encoded says what it is in its text chunks, in the window's language,
    // and still decodes to the same pixels; bytes that are no PNG are left as they are.
    void pngSaysWhatItIs()
    {
        const picture::Drawing drawing = window->pictureMenu().drawing();
        const QImage drawn = picture::image(drawing);
        const Language uk = *texts::languageNamed("uk");
        QByteArray bytes = picture::png(drawing, {uk, "2500"});
        QBuffer read(&bytes);
        QImageReader reader(&read, "PNG");
        QCOMPARE(reader.text("Title"), QString::fromUtf8(texts::words(Text::SceneName, uk)));
        QCOMPARE(reader.text("Description"),
                 QString::fromUtf8(texts::words(Text::SceneDescription, uk)));
        QCOMPARE(reader.text("Software"), "Halmira " + QString::fromUtf8(programVersion()));
        QCOMPARE(reader.text("Language"), QString("uk"));
        QCOMPARE(reader.text("Pace"), QString("2500"));
        const QImage back = reader.read();
        QCOMPARE(back.size(), drawn.size());
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32),
                 drawn.convertToFormat(QImage::Format_RGB32));
        QCOMPARE(picture::withAbout("GIF89a", {uk, "2500"}), std::string("GIF89a"));
    }

    void captionsAndWordsInEachLanguage_data()
    {
        QTest::addColumn<int>("language");
        for (const Language language : texts::languages())
            QTest::newRow(std::string(texts::code(language)).c_str()) << static_cast<int>(language);
    }

    void captionsAndWordsInEachLanguage()
    {
        QFETCH(int, language);
        const auto in = static_cast<Language>(language);
        std::vector<std::string> words;
        std::vector<picture::Shown> captions = shown(words);
        // The captions in this language, where the window shows them.
        for (std::size_t i = 0; i < captions.size(); ++i)
            for (const layout::Control &row : layout::controls)
                if (row.name == captions[i].control) {
                    words[i] = texts::words(row.text, in);
                    captions[i].text = words[i];
                }
        const QString svg = QString::fromStdString(picture::svg(records, captions, {in, "100000"}));
        QXmlStreamReader xml(svg);
        QStringList texts, title, desc;
        QString creator, pace, lang;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"svg")
                lang = xml.attributes().value("xml:lang").toString();
            else if (xml.name() == u"Description") {
                creator = xml.attributes()
                              .value("http://purl.org/dc/elements/1.1/", "creator")
                              .toString();
                pace = xml.attributes()
                           .value("https://www.halmira.example/picture#", "pace")
                           .toString();
            } else if (xml.name() == u"text")
                texts << xml.readElementText();
            else if (xml.name() == u"title")
                title << xml.readElementText();
            else if (xml.name() == u"desc")
                desc << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        const auto word = [in](Text id) { return QString::fromUtf8(texts::words(id, in)); };
        // The two captions beside the plot, and nothing else of the window.
        texts.sort();
        QStringList plot{word(Text::SpeedCaption), word(Text::DistanceCaption)};
        plot.sort();
        QCOMPARE(texts, plot);
        QCOMPARE(title, QStringList{word(Text::SceneName)});
        QCOMPARE(desc, QStringList{word(Text::SceneDescription)});
        QCOMPARE(lang, QString::fromUtf8(texts::code(in)));
        QCOMPARE(creator, word(Text::ProgramName) + " " + QString::fromUtf8(programVersion()));
        QCOMPARE(pace, QString("100000"));
    }
};

QTEST_MAIN(PictureTest)
#include "tst_picture.moc"
