// The window's words: one table, every id named once and worded, sentences with slots filled in
// whatever order a language puts them, the detached form's texts from it and its errors by the
// runtime's numbers, and no word of the window standing anywhere in the front ends' code.
#include "core/errors.h"
#include "core/runtimeerror.h"
#include "core/window/detachedform.h"
#include "core/window/texts.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

QString fromWords(std::string_view words)
{
    return QString::fromUtf8(words.data(), qsizetype(words.size()));
}

// The code a call raises, or 0 where it raises nothing.
int raised(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.code();
    }
    return 0;
}

using Call = std::function<void(DetachedForm &, std::string_view)>;

} // namespace

Q_DECLARE_METATYPE(Call)

class WordsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyIdIsNamedOnceAndWorded()
    {
        QSet<QString> names;
        for (const Text id : texts::all()) {
            const QString name = fromWords(texts::name(id));
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(name));
            names << name;
            QVERIFY2(!texts::words(id, Language::Czech).empty(), qPrintable(name));
        }
    }

    // Every language a translator added has words for every id, with the same slots; the
    // program shows the Czech words where one lacks them, and this says which.
    void everyLanguageHasEveryWord_data()
    {
        QTest::addColumn<int>("language");
        for (const Language language : texts::languages())
            if (language != Language::Czech)
                QTest::newRow(texts::code(language).data()) << int(language);
    }

    void everyLanguageHasEveryWord()
    {
        QFETCH(int, language);
        static const QRegularExpression slot(QStringLiteral("%[1-9]"));
        QStringList missing;
        for (const Text id : texts::all()) {
            const auto in = static_cast<Language>(language);
            if (!texts::translated(id, in)) {
                missing << fromWords(texts::name(id));
                continue;
            }
            const auto slotsOf = [](std::string_view words) {
                QStringList found;
                for (auto it = slot.globalMatch(fromWords(words)); it.hasNext();)
                    found << it.next().captured();
                found.sort();
                return found;
            };
            QCOMPARE(slotsOf(texts::words(id, in)), slotsOf(texts::words(id, Language::Czech)));
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("in Czech still: ") + missing.join(' ')));
    }

    void aLanguageWithoutWordsShowsTheCzech()
    {
        const auto none = static_cast<Language>(texts::languages().size());
        QCOMPARE(fromWords(texts::words(Text::KonecButton, none)), QStringLiteral("Konec"));
        QVERIFY(!texts::translated(Text::KonecButton, none));
        QVERIFY(!texts::languageNamed("xx"));
        QCOMPARE(fromWords(texts::code(Language::Czech)), QStringLiteral("cs"));
    }

    void slotsAreFilled_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("report");
        QTest::newRow("type mismatch")
            << 13 << QStringLiteral("Chyba za běhu 13:\n\nNesoulad typů");
        QTest::newRow("object required")
            << 424 << QStringLiteral("Chyba za běhu 424:\n\nVyžadován objekt");
    }

    void slotsAreFilled()
    {
        QFETCH(int, code);
        QFETCH(QString, report);
        QCOMPARE(QString::fromStdString(errorReport(ErrorCodes::Code(code), Language::Czech)),
                 report);
    }

    void aSlotWithNoWordsStaysEmpty()
    {
        QCOMPARE(QString::fromStdString(texts::fill(Text::RunFinished, Language::Czech, {})),
                 QStringLiteral("Animace skončila. "));
    }

    void detachedFormStartsWithTheTexts()
    {
        const DetachedForm form;
        QCOMPARE(QString::fromStdString(form.text("labSpomal")),
                 QStringLiteral("Zpomalení animace"));
        QCOMPARE(QString::fromStdString(form.text("nHodinyFotonu")),
                 QStringLiteral("čas  hodin fotonu"));
        QCOMPARE(form.value("HScroll1"), 0);
    }

    // A name the window lacks is "object required"; a control of another kind "not supported".
    void detachedFormErrors_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("code");
        const Call text = [](DetachedForm &f, std::string_view c) { (void)f.text(c); };
        const Call setText = [](DetachedForm &f, std::string_view c) { f.setText(c, "1"); };
        const Call value = [](DetachedForm &f, std::string_view c) { (void)f.value(c); };
        const Call setValue = [](DetachedForm &f, std::string_view c) { f.setValue(c, 1); };
        const Call setLeft = [](DetachedForm &f, std::string_view c) { f.setLeft(c, 1); };
        const Call setVisible = [](DetachedForm &f, std::string_view c) { f.setVisible(c, true); };
        QTest::newRow("text of a text box") << text << "nSpomal" << 0;
        QTest::newRow("text of a name it lacks") << text << "nRychlost" << 424;
        QTest::newRow("text of the scroll bar") << text << "HScroll1" << 438;
        QTest::newRow("text of a button") << text << "comStart" << 438;
        QTest::newRow("set text of a name it lacks") << setText << "" << 424;
        QTest::newRow("set text of a picture") << setText << "Image1" << 438;
        QTest::newRow("value of the scroll bar") << value << "HScroll1" << 0;
        QTest::newRow("value of a text box") << value << "nSpomal" << 438;
        QTest::newRow("value of a name it lacks") << value << "HScroll2" << 424;
        QTest::newRow("set value of a label") << setValue << "labKlikněte" << 438;
        QTest::newRow("place of any control") << setLeft << "Spektrum" << 0;
        QTest::newRow("place of a name it lacks") << setLeft << "nvzdálenost" << 424;
        QTest::newRow("visibility of a name it lacks") << setVisible << "Image" << 424;
    }

    void detachedFormErrors()
    {
        QFETCH(Call, call);
        QFETCH(QString, control);
        QFETCH(int, code);
        DetachedForm form;
        const QByteArray name = control.toUtf8();
        QCOMPARE(raised([&] { call(form, std::string_view(name.data(), name.size())); }), code);
    }

    // The front ends take every word from the table: none stands in their code as a string.
    void noWordsInTheFrontEnds_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *folder : {"app", "web/page"}) {
            QDirIterator files(QStringLiteral(HALMIRA_SOURCE_DIR "/") + QLatin1String(folder),
                               {QStringLiteral("*.cpp"), QStringLiteral("*.h"),
                                QStringLiteral("*.js"), QStringLiteral("*.html"),
                                QStringLiteral("*.css")});
            while (files.hasNext()) {
                const QString path = files.next();
                QTest::newRow(qPrintable(path.section('/', -2))) << path;
            }
        }
    }

    void noWordsInTheFrontEnds()
    {
        QFETCH(QString, file);
        QFile source(file);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(source.readAll());
        // Czech letters, anywhere but in a control's name.
        static const QRegularExpression czech(QStringLiteral("[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]"));
        QVERIFY2(!czech.match(text).hasMatch(),
                 qPrintable(text.mid(czech.match(text).capturedStart() - 20, 40)));
        // The table's words as a whole string, or as the text of an element.
        for (const Text id : texts::all()) {
            const QString words = fromWords(texts::words(id, Language::Czech));
            if (words.size() < 2)
                continue;
            for (const QString &quoted :
                 {'"' + words + '"', '\'' + words + '\'', '>' + words + '<'})
                QVERIFY2(!text.contains(quoted), qPrintable(quoted));
        }
    }
};

QTEST_GUILESS_MAIN(WordsTest)
#include "tst_words.moc"
