// The window in every language the word table has: each text fits its control at the design's
// font, in width and in height, every letter is drawn from a face that has it, Qt's own words
// follow, a run shows the plot's captions in the language, and the language
// is chosen as the user asks for it.
#include "app/halmirawindow.h"
#include "app/language.h"
#include "app/words.h"
#include "core/animation/startclick.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTextLayout>

Q_DECLARE_METATYPE(Language)

namespace {

// The part of a line edit that holds its text, within its frame.
QRect contentsOf(QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    return box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
}

// The room a control leaves its text, in pixels.
int room(QWidget *control)
{
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        const QRect contents = contentsOf(box);
        // A line edit keeps two pixels each side clear of its text.
        return contents.width() - 4;
    }
    if (qobject_cast<QPushButton *>(control))
        return control->width() - 2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin) / 2 -
               4;
    return control->width();
}

// Where a control draws its text, and on which baseline, as Qt's own painting places it: a line
// edit centres its line in its contents and clips to them, a button centres its text in its
// contents, a label sets it at the top of its contents.
struct TextPlace {
    QRect clip;
    int baseline;
};

TextPlace placeOf(QWidget *control)
{
    const QFontMetrics metrics = control->fontMetrics();
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        const QRect contents = contentsOf(box);
        const int top = contents.y() + (contents.height() - metrics.height() + 1) / 2;
        return {contents, top + metrics.ascent()};
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return {button->rect(),
                contents.y() + (contents.height() - metrics.height()) / 2 + metrics.ascent()};
    }
    return {control->rect(), control->contentsRect().y() + metrics.ascent()};
}

// The faces a text is drawn from, and the letters none of them has.
struct Drawn {
    QStringList faces;
    int missing = 0;
};

Drawn drawnFrom(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    Drawn drawn;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        drawn.faces << run.rawFont().familyName();
        drawn.missing += int(run.glyphIndexes().count(0)); // the "no such glyph" box
    }
    drawn.faces.removeDuplicates();
    return drawn;
}

QString textOf(QWidget *control)
{
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *button = qobject_cast<QPushButton *>(control))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(control))
        return label->text();
    return {};
}

} // namespace

class LanguagesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerFontSubstitutes(); }

    void everyTextFitsItsControl_data()
    {
        QTest::addColumn<Language>("language");
        for (const Language language : texts::languages())
            QTest::newRow(texts::code(language).data()) << language;
    }

    // Each text fits its control across, and from top to bottom, where Vietnamese stacks two
    // marks on a letter or a descender reaches down.
    void everyTextFitsItsControl()
    {
        QFETCH(Language, language);
        HalmiraWindow window({}, language);
        QStringList cut;
        for (const layout::Control &row : layout::controls) {
            QWidget *control = window.control(row.name);
            const QString text = textOf(control);
            if (text.isEmpty())
                continue;
            const QString name = QString::fromUtf8(row.name);
            const int width = control->fontMetrics().horizontalAdvance(text);
            // The pace box holds a number, which may scroll.
            const bool pace =
                row.kind == layout::Kind::TextBox && row.style == layout::Style::Plain;
            if (!pace && width > room(control))
                cut << QStringLiteral("%1: \"%2\" takes %3 of %4 pixels")
                           .arg(name, text)
                           .arg(width)
                           .arg(room(control));
            const TextPlace place = placeOf(control);
            const QRect ink =
                control->fontMetrics().tightBoundingRect(text).translated(0, place.baseline);
            if (ink.top() < place.clip.top() || ink.bottom() > place.clip.bottom())
                cut << QStringLiteral("%1: \"%2\" inks rows %3 to %4 of %5 to %6")
                           .arg(name, text)
                           .arg(ink.top())
                           .arg(ink.bottom())
                           .arg(place.clip.top())
                           .arg(place.clip.bottom());
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }

    // The design's face falls back to one that has every letter: no text shows the box that
    // stands for a glyph no face has, in a control or in a message.
    void everyLetterIsDrawn_data() { everyTextFitsItsControl_data(); }

    void everyLetterIsDrawn()
    {
        QFETCH(Language, language);
        HalmiraWindow window({}, language);
        QStringList missing;
        QStringList faces;
        const auto check = [&](const QString &where, const QString &text, const QFont &font) {
            const Drawn drawn = drawnFrom(text, font);
            faces << drawn.faces;
            if (drawn.missing)
                missing << QStringLiteral("%1: %2 of \"%3\" from %4")
                               .arg(where)
                               .arg(drawn.missing)
                               .arg(text, drawn.faces.join(QLatin1Char('+')));
        };
        for (const layout::Control &row : layout::controls) {
            QWidget *control = window.control(row.name);
            check(QString::fromUtf8(row.name), textOf(control), control->font());
        }
        // Every other sentence, as a message box or a screen reader's line shows it.
        for (const Text id : texts::all())
            check(fromUtf8(texts::name(id)), fromUtf8(texts::words(id, language)),
                  QApplication::font());
        faces.removeDuplicates();
        qInfo("%s: drawn from %s", texts::code(language).data(), qPrintable(faces.join(", ")));
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral("; "))));
    }

    void englishRunShowsThePlotCaptions()
    {
        HalmiraWindow window({}, *texts::languageNamed("en"));
        window.show();
        window.findChild<QLineEdit *>(QStringLiteral("nSpomal"))->setText(QStringLiteral("0"));
        window.run(comStartClick);
        const struct {
            const char *name;
            QString text;
            QPoint place; // where the Start handler puts it, in pixels
        } captions[] = {{"nRychlostFotonu", QStringLiteral("Photon speed"), {643, 380}},
                        {"nVzdálenost", QStringLiteral("Distance"), {593, 80}}};
        for (const auto &caption : captions) {
            auto *box = qobject_cast<QLineEdit *>(window.control(caption.name));
            QCOMPARE(box->text(), caption.text);
            QCOMPARE(box->pos(), caption.place);
            QVERIFY(box->isVisible());
        }
    }

    // Qt's context menus and the language a screen reader is told follow the window's language.
    void qtSpeaksTheLanguageToo_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("translated");
        QTest::newRow("Czech") << "cs" << true;
        QTest::newRow("Slovak") << "sk" << true;
        QTest::newRow("German") << "de" << true;
        QTest::newRow("Polish") << "pl" << true;
        QTest::newRow("Ukrainian") << "uk" << true;
        QTest::newRow("Hungarian") << "hu" << true;
        QTest::newRow("Vietnamese, which Qt lacks") << "vi" << false;
        QTest::newRow("English, as Qt speaks it") << "en" << false;
    }

    void qtSpeaksTheLanguageToo()
    {
        QFETCH(QString, code);
        QFETCH(bool, translated);
        const QByteArray asked = code.toUtf8();
        speakLanguage(*qApp, *texts::languageNamed(asked.constData()));
        const QString scrollHere = QCoreApplication::translate("QScrollBar", "Scroll here");
        QCOMPARE(scrollHere != QStringLiteral("Scroll here"), translated);
        QVERIFY2(QLocale().name().startsWith(code), qPrintable(QLocale().name()));
        // The pace reads numbers by the user's own locale.
        QCOMPARE(QLocale::system().decimalPoint(), QLocale::c().decimalPoint());
    }

    void languageAsTheUserAsks_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("complains");
        QTest::newRow("nothing asked") << QStringList{"halmira"} << ""
                                       << "cs" << false;
        QTest::newRow("--lang=en") << QStringList{"halmira", "--lang=en"} << ""
                                   << "en" << false;
        QTest::newRow("a region asked too") << QStringList{"halmira", "--lang=de_AT"} << ""
                                            << "de" << false;
        QTest::newRow("a launcher's variable") << QStringList{"halmira"} << "pl"
                                               << "pl" << false;
        QTest::newRow("the argument wins") << QStringList{"halmira", "--lang=sk"} << "pl"
                                           << "sk" << false;
        QTest::newRow("a language there is none of") << QStringList{"halmira", "--lang=xx"} << ""
                                                     << "cs" << true;
    }

    void languageAsTheUserAsks()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(QString, code);
        QFETCH(bool, complains);
        const CommandLine choice = readCommandLine(arguments.mid(1), environment);
        QCOMPARE(fromUtf8(texts::code(choice.language)), code);
        QCOMPARE(!choice.complaints.empty(), complains);
        if (complains) // it says which languages there are
            QVERIFY(fromUtf8(choice.complaints.front())
                        .contains(QStringLiteral("cs, de, en, hu, pl, sk, uk, vi")));
    }

    // The command line as each platform's programs take it.
    void commandLine_data()
    {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QStringList>("complaints"); // a word each must hold
        const QString x5000(5000, QLatin1Char('x'));
        QTest::newRow("--lang en") << false << QStringList{"--lang", "en"} << ""
                                   << "en" << false << QStringList{};
        QTest::newRow("--lang with nothing after it") << false << QStringList{"--lang"} << ""
                                                      << "cs" << false << QStringList{"„--lang“"};
        QTest::newRow("--lang= is no language, the earlier one stays")
            << false << QStringList{"--lang=pl", "--lang="} << ""
            << "pl" << false << QStringList{"„--lang=”"};
        QTest::newRow("an empty --lang leaves the launcher's")
            << false << QStringList{"--lang="} << "de"
            << "de" << false << QStringList{"--lang="};
        QTest::newRow("--lang followed by an option takes no value")
            << false << QStringList{"--lang", "--help"} << ""
            << "cs" << true << QStringList{"--lang"};
        QTest::newRow("Linux options keep their case")
            << false << QStringList{"--LANG=en"} << ""
            << "cs" << false << QStringList{"„--LANG=en“"};
        QTest::newRow("Linux's -lang is no --lang") << false << QStringList{"-lang=en"} << ""
                                                    << "cs" << false << QStringList{"-lang=en"};
        QTest::newRow("--help") << false << QStringList{"--help"} << ""
                                << "cs" << true << QStringList{};
        QTest::newRow("-h, in the language asked for")
            << false << QStringList{"-h", "--lang=en"} << ""
            << "en" << true << QStringList{};
        QTest::newRow("an unknown option, named in the language")
            << false << QStringList{"--lang=de", "--frob"} << ""
            << "de" << false << QStringList{"Die Option „--frob“"};
        QTest::newRow("a word that is no option") << false << QStringList{"en"} << ""
                                                  << "cs" << false << QStringList{"„en“"};
        QTest::newRow("a long value is cut") << false << QStringList{"--lang=" + x5000} << ""
                                             << "cs" << false << QStringList{"xxx…“"};
        QTest::newRow("Windows' /lang xx") << true << QStringList{"/lang", "sk"} << ""
                                           << "sk" << false << QStringList{};
        QTest::newRow("Windows' /LANG:de") << true << QStringList{"/LANG:de"} << ""
                                           << "de" << false << QStringList{};
        QTest::newRow("Windows takes options in any case")
            << true << QStringList{"--LANG=en", "-Lang", "pl"} << ""
            << "pl" << false << QStringList{};
        QTest::newRow("Windows' /?") << true << QStringList{"/?"} << ""
                                     << "cs" << true << QStringList{};
        QTest::newRow("Windows' unknown option") << true << QStringList{"/frob"} << ""
                                                 << "cs" << false << QStringList{"„/frob“"};
    }

    void commandLine()
    {
        QFETCH(bool, windows);
        QFETCH(QStringList, arguments);
        QFETCH(QString, environment);
        QFETCH(QString, code);
        QFETCH(bool, help);
        QFETCH(QStringList, complaints);
        const CommandLine asked = readCommandLine(
            arguments, environment, windows ? Convention::Windows : Convention::Posix);
        QCOMPARE(fromUtf8(texts::code(asked.language)), code);
        QCOMPARE(asked.help, help);
        QCOMPARE(int(asked.complaints.size()), int(complaints.size()));
        for (std::size_t i = 0; i < asked.complaints.size(); ++i) {
            const QString said = fromUtf8(asked.complaints[i]);
            QVERIFY2(said.contains(complaints[int(i)]), qPrintable(said));
            QVERIFY2(said.size() < 200, qPrintable(said.left(80)));
        }
    }

    // --version in each platform's forms; an option that only starts like it is not it.
    void versionAsEachPlatformAsksForIt_data()
    {
        QTest::addColumn<bool>("windows");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("version");
        QTest::addColumn<int>("complaints");
        QTest::newRow("--version") << false << QStringList{"--version"} << true << 0;
        QTest::newRow("with a language")
            << false << QStringList{"--lang=uk", "--version"} << true << 0;
        QTest::newRow("Linux keeps the case") << false << QStringList{"--Version"} << false << 1;
        QTest::newRow("no value") << false << QStringList{"--version=2"} << false << 1;
        QTest::newRow("Windows' /VERSION") << true << QStringList{"/VERSION"} << true << 0;
        QTest::newRow("Windows' -version") << true << QStringList{"-version"} << true << 0;
    }

    void versionAsEachPlatformAsksForIt()
    {
        QFETCH(bool, windows);
        QFETCH(QStringList, arguments);
        QFETCH(bool, version);
        QFETCH(int, complaints);
        const CommandLine asked =
            readCommandLine(arguments, {}, windows ? Convention::Windows : Convention::Posix);
        QCOMPARE(asked.version, version);
        QCOMPARE(int(asked.complaints.size()), complaints);
        QVERIFY(!asked.help);
        QVERIFY(QRegularExpression(QStringLiteral("^Halmira \\d+\\.\\d+\\.\\d+$"))
                    .match(fromUtf8(versionText()))
                    .hasMatch());
    }

    // The help names the options and every language, in each language.
    void helpNamesTheOptions()
    {
        for (const Language language : texts::languages()) {
            for (const Convention convention : {Convention::Posix, Convention::Windows}) {
                const QString help = fromUtf8(helpText(language, convention));
                QVERIFY(help.contains(QStringLiteral("--lang=xx")));
                QVERIFY(help.contains(QStringLiteral("--help")));
                QVERIFY(help.contains(QStringLiteral("--version")));
                QVERIFY(help.startsWith(fromUtf8(versionText())));
                QVERIFY(help.contains(fromUtf8(texts::codes())));
            }
        }
    }
};

QTEST_MAIN(LanguagesTest)
#include "tst_languages.moc"
