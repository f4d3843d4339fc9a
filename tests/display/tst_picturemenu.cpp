// The teacher's picture from the real program on a real X display: copied with Ctrl+C given
// during a run, read back from the clipboard by xclip in both formats and matched against the
// window; the context menu's entries by mouse and by keyboard, saving an SVG and printing to a
// PDF file through Qt's own dialogs; nothing of it before the first run; and a text box's own
// Ctrl+C left as it was.
#include "core/twips.h"
#include "core/window/layout.h"
#include "core/window/texts.h"
#include "ink.h"
#include "xdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QXmlStreamReader>

namespace {

const QPoint startButton(576, 20);
const QRect distanceCaption(595, 82, 85, 15);
constexpr int runTimeoutMs = 120000;
constexpr int zoomForPrint = 5; // the PNG's pixels to each of the window's

QString word(Text id)
{
    return QString::fromUtf8(texts::words(id, Language::Czech).data());
}

QByteArray run(const QString &program, const QStringList &arguments, int timeoutMs = 10000)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(timeoutMs);
    return process.readAllStandardOutput();
}

QByteArray clipboard(const QString &target)
{
    return run(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", target, "-o"});
}

QStringList clipboardTargets()
{
    return QString::fromUtf8(clipboard(QStringLiteral("TARGETS"))).split('\n', Qt::SkipEmptyParts);
}

// Waits until the clipboard offers the target; false on time-out.
bool waitForTarget(const QString &target, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!clipboardTargets().contains(target))
        if (clock.elapsed() > timeoutMs)
            return false;
        else
            QThread::msleep(100);
    return true;
}

bool waitForFile(const QString &path, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
        if (clock.elapsed() > timeoutMs)
            return false;
        else
            QThread::msleep(100);
    QThread::msleep(300); // written whole
    return true;
}

void key(const QString &keys)
{
    RealProgram::xdotool({"key", "--delay", "60", keys});
}

// The window's ink where the picture shows it: without the controls that stand above the
// drawing, but for the captions a run shows beside the plot.
std::vector<bool> drawingInk(const QImage &window)
{
    QImage out = window.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    for (const layout::Control &row : layout::controls)
        if (!layout::isWindowless(row.kind) && !(row.style == layout::CaptionBox && !row.shown))
            painter.fillRect(QRect(twipsToPixels(row.left), twipsToPixels(row.top),
                                   twipsToPixels(row.width), twipsToPixels(row.height)),
                             Qt::white);
    painter.end();
    return ink(out);
}

} // namespace

class PictureMenuTest : public QObject
{
    Q_OBJECT

private:
    RealProgram program;
    QTemporaryDir home;
    QImage finished; // the window after the run

    QString saved(const char *suffix) const
    {
        return QDir(home.path()).filePath(QStringLiteral("halmira-cs.") + suffix);
    }

    // The menu's entry, counted from the top, clicked where the open menu shows it.
    void clickEntry(int entry)
    {
        const QString menu = RealProgram::xdotool({"search", "--sync", "--onlyvisible", "--pid",
                                                   QString::number(program.process().processId()),
                                                   "--name", "^" + word(Text::PictureMenu) + "$"});
        const QString shell =
            RealProgram::xdotool({"getwindowgeometry", "--shell", menu.section('\n', 0, 0)});
        const auto value = [&shell](const char *name) {
            return QRegularExpression(QStringLiteral("%1=(\\d+)").arg(name))
                .match(shell)
                .captured(1)
                .toInt();
        };
        const int height = value("HEIGHT");
        RealProgram::xdotool({"mousemove", "--window", menu.section('\n', 0, 0),
                              QString::number(value("WIDTH") / 2),
                              QString::number(height * (2 * entry + 1) / 6), "click", "1"});
    }

    void waitForDialog(Text title)
    {
        RealProgram::xdotool({"search", "--sync", "--onlyvisible", "--pid",
                              QString::number(program.process().processId()), "--name",
                              "^" + QString(word(title)).remove(QChar(0x2026)) + "$"});
        QThread::msleep(500);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        program.process().setWorkingDirectory(home.path());
        QVERIFY(program.start({"HOME=" + home.path(), "XDG_CONFIG_HOME=" + home.path()}));
        RealProgram::xdotool({"windowactivate", "--sync", program.windowId()});
    }

    // Before the first run there is no picture: neither the keys nor the menu's entries give one.
    void nothingBeforeTheFirstRun_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Ctrl+C") << "ctrl+c";
        QTest::newRow("Ctrl+S") << "ctrl+s";
        QTest::newRow("menu key, first entry") << "Menu Down Return";
        QTest::newRow("right click, first entry") << "";
    }

    void nothingBeforeTheFirstRun()
    {
        QFETCH(QString, how);
        if (how.isEmpty()) {
            program.click(300, 300);
            RealProgram::xdotool({"click", "3"});
            clickEntry(0);
        } else {
            key(how);
        }
        QThread::msleep(700);
        key(QStringLiteral("Escape"));
        QVERIFY(!clipboardTargets().contains(QStringLiteral("image/png")));
        // No dialog opened: the program shows its window alone.
        QCOMPARE(RealProgram::xdotool({"search", "--onlyvisible", "--pid",
                                       QString::number(program.process().processId())}),
                 program.windowId());
    }

    // Ctrl+C given with the focus on Start during the run waits for it, then copies.
    void copyGivenDuringARun()
    {
        program.click(startButton.x(), startButton.y());
        QThread::msleep(300);
        key(QStringLiteral("ctrl+c"));
        QVERIFY(program.waitForText(distanceCaption, runTimeoutMs));
        QVERIFY(waitForTarget(QStringLiteral("image/png"), 20000));
        QVERIFY(clipboardTargets().contains(QStringLiteral("image/svg+xml")));
        RealProgram::parkPointer();
        finished = program.screenshot();
        keepScreenshot(finished, QStringLiteral("picture-copied"));
    }

    // Both formats from the clipboard draw what the window shows of the drawing.
    void clipboardMatchesTheWindow_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("PNG") << "image/png";
        QTest::newRow("SVG") << "image/svg+xml";
    }

    void clipboardMatchesTheWindow()
    {
        QFETCH(QString, format);
        const QByteArray bytes = clipboard(format);
        QImage picture;
        if (format == u"image/png") {
            picture = QImage::fromData(bytes, "PNG");
            QVERIFY(!picture.isNull());
            QCOMPARE(picture.width(), 800 * zoomForPrint);
            picture = picture.scaled(picture.size() / zoomForPrint, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation);
        } else {
            picture = renderedSvg(bytes);
        }
        QVERIFY(!picture.isNull());
        // The window shows the top of the scene; the picture has all of it.
        QImage onWhite(picture.size(), QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        QPainter(&onWhite).drawImage(0, 0, picture);
        const QSize shown = finished.size().boundedTo(picture.size());
        const auto a = drawingInk(onWhite.copy(QRect(QPoint(), shown)));
        const auto b = drawingInk(finished.copy(QRect(QPoint(), shown)));
        const double pictureAlone = unmatched(a, b, shown.width());
        const double windowAlone = unmatched(b, a, shown.width());
        qInfo("unmatched ink: %.4f of the picture's, %.4f of the window's", pictureAlone,
              windowAlone);
        QVERIFY(pictureAlone <= 0.005);
        QVERIFY(windowAlone <= 0.005);
    }

    // The entries by mouse and by keyboard, through Qt's own dialogs, each taken as offered.
    void menuEntries_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("file");
        QTest::newRow("save, by mouse") << true << 1 << int(Text::SavePicture) << "svg";
        QTest::newRow("print, by keyboard") << false << 2 << int(Text::PrintPicture) << "pdf";
    }

    void menuEntries()
    {
        QFETCH(bool, byMouse);
        QFETCH(int, entry);
        QFETCH(int, dialog);
        QFETCH(QString, file);
        if (byMouse) {
            RealProgram::xdotool(
                {"mousemove", "--window", program.windowId(), "300", "300", "click", "3"});
            clickEntry(entry);
        } else {
            key(QStringLiteral("Menu"));
            QThread::msleep(500);
            for (int i = 0; i <= entry; ++i) // the first Down selects the first entry
                key(QStringLiteral("Down"));
            key(QStringLiteral("Return"));
        }
        waitForDialog(static_cast<Text>(dialog));
        keepScreenshot(RealProgram::rootScreenshot(), QStringLiteral("picture-dialog-") + file);
        key(QStringLiteral("Return"));
        const QString path = saved(file.toLatin1().constData());
        QVERIFY2(waitForFile(path, 20000), qPrintable(path));
        if (file == u"svg") {
            QFile svg(path);
            QVERIFY(svg.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&svg);
            QVERIFY(xml.readNextStartElement());
            QCOMPARE(xml.name(), u"svg");
            while (!xml.atEnd())
                xml.readNext();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            return;
        }
        // One landscape A4 page, with the picture as large as the page lets it be.
        const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {path}));
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains(QStringLiteral("842 x 595 pts")), qPrintable(info));
        const QString page = home.filePath(QStringLiteral("page"));
        run(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", path, page});
        const QImage printed(page + QStringLiteral(".png"));
        QCOMPARE(printed.size(), QSize(842, 595));
        QRect drawn;
        for (int y = 0; y < printed.height(); ++y)
            for (int x = 0; x < printed.width(); ++x)
                if (qGray(printed.pixel(x, y)) < 250)
                    drawn |= QRect(x, y, 1, 1);
        qInfo() << "drawn on the page:" << drawn;
        // Within the page's margins, as high as they let it be, in the picture's proportions.
        QVERIFY(drawn.height() > printed.height() * 85 / 100);
        QVERIFY(qAbs(double(drawn.width()) / drawn.height() - 12000.0 / 10005) < 0.02);
        QVERIFY(qAbs(drawn.center().x() - printed.width() / 2) <= 2);
    }

    // In a text box, Ctrl+C copies the box's text, as it always has.
    void textBoxCopiesItsText()
    {
        // The speed caption shows below the plot after the run: its text, clicked in the middle.
        QRect text;
        for (int y = 383; y < 405; ++y)
            for (int x = 600; x < 800; ++x)
                if (qGray(finished.pixel(x, y)) < 64)
                    text |= QRect(x, y, 1, 1);
        QVERIFY(!text.isEmpty());
        program.click(text.center().x(), text.center().y());
        key(QStringLiteral("ctrl+a"));
        key(QStringLiteral("ctrl+c"));
        QVERIFY(waitForTarget(QStringLiteral("UTF8_STRING"), 5000));
        QVERIFY(!clipboardTargets().contains(QStringLiteral("image/png")));
        QCOMPARE(QString::fromUtf8(clipboard(QStringLiteral("UTF8_STRING"))),
                 word(Text::SpeedCaption));
    }
};

QTEST_MAIN(PictureMenuTest)
#include "tst_picturemenu.moc"
