// Number to text and back, as the pace value travels through a text box.
#include "core/conversions.h"
#include "core/runtimeerror.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

// The decimal point the desktop hands the conversions: the locale's.
std::string point()
{
    return QLocale().decimalPoint().toStdString();
}

class ConversionsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void numberToText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("first pace value, no exponent") << "C" << 100000.0 << "100000";
        QTest::newRow("scroll bar at 1") << "C" << 100100.0 << "100100";
        QTest::newRow("scroll bar at its end") << "C" << 3376700.0 << "3376700";
        QTest::newRow("zero") << "C" << 0.0 << "0";
        QTest::newRow("negative") << "C" << -32768.0 << "-32768";
        QTest::newRow("fraction, shortest") << "C" << 0.1 << "0.1";
        QTest::newRow("no thousands separators") << "en_US" << 1234567.0 << "1234567";
        QTest::newRow("Czech decimal comma") << "cs_CZ" << 2.5 << "2,5";
        QTest::newRow("Czech, integral") << "cs_CZ" << 100000.0 << "100000";
    }

    void numberToText()
    {
        QFETCH(QString, locale);
        QFETCH(double, number);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(QString::fromStdString(::numberToText(number, point())), text);
        // Whatever is written must read back as the same number.
        QCOMPARE(::textToNumber(::numberToText(number, point()), point()), number);
    }

    void textToNumber_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("digits") << "C"
                                << "100000" << 100000.0;
        QTest::newRow("spaces around") << "C"
                                       << " 100100 " << 100100.0;
        QTest::newRow("sign and fraction") << "C"
                                           << "-2.25" << -2.25;
        QTest::newRow("exponent") << "C"
                                  << "1e3" << 1000.0;
        QTest::newRow("Czech comma") << "cs_CZ"
                                     << "0,5" << 0.5;
    }

    void textToNumber()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, number);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(::textToNumber(text.toStdString(), point()), number);
    }

    void noNumberIsATypeMismatch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("the design text") << "Spomal";
        QTest::newRow("trailing letters") << "12abc";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("not a number") << "nan";
        QTest::newRow("out of range") << "1e999";
        QTest::newRow("two numbers") << "1 2";
    }

    void noNumberIsATypeMismatch()
    {
        QFETCH(QString, text);
        try {
            ::textToNumber(text.toStdString(), point());
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.code(), RuntimeError::TypeMismatch);
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Nesoulad typů"));
        }
    }

    // A million strings built from the characters numbers are made of, and some that are not:
    // each is either a finite number or a clean type mismatch, never anything else.
    void randomTextIsANumberOrATypeMismatch()
    {
        static const char32_t alphabet[] = {'0', '1', '5', '9', '-', '+', '.',  ',',  'e',  'E',
                                            ' ', 'x', 'n', 'a', 'i', 'f', '\t', U'č', U'٣', 0};
        std::mt19937 random(20261208);
        long long numbers = 0, mismatches = 0;
        for (int i = 0; i < 1'000'000; ++i) {
            std::u32string text(random() % 12, U' ');
            for (char32_t &c : text)
                c = alphabet[random() % std::size(alphabet)];
            const std::string utf8 =
                QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString();
            try {
                const double value = ::textToNumber(utf8, point());
                QVERIFY2(std::isfinite(value), utf8.c_str());
                QCOMPARE(::textToNumber(::numberToText(value, point()), point()), value);
                ++numbers;
            } catch (const RuntimeError &error) {
                QCOMPARE(error.code(), RuntimeError::TypeMismatch);
                ++mismatches;
            }
        }
        qInfo("%lld numbers, %lld type mismatches", numbers, mismatches);
        QVERIFY(numbers > 10'000 && mismatches > 10'000);
    }

    void anyDoubleSurvivesTheRoundTrip_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C") << "C";
        QTest::newRow("Czech") << "cs_CZ";
    }

    void anyDoubleSurvivesTheRoundTrip()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        std::mt19937_64 random(7);
        for (int i = 0; i < 100'000; ++i) {
            double value;
            const auto bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            QCOMPARE(::textToNumber(::numberToText(value, point()), point()), value);
        }
    }
};

QTEST_GUILESS_MAIN(ConversionsTest)
#include "tst_conversions.moc"
