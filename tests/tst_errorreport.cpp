// The run-time error report: an error raised in a handler shows a box naming it, then the
// program ends with a non-zero status, and nothing more runs.
#include <QProcess>
#include <QTest>

class ErrorReportTest : public QObject
{
    Q_OBJECT

private slots:
    void errorIsReportedAndEndsTheProgram_data()
    {
        QTest::addColumn<QString>("raise");
        QTest::addColumn<QString>("report");
        QTest::newRow("type mismatch") << "13"
                                       << "Chyba za běhu 13:||Nesoulad typů";
        QTest::newRow("division by zero") << "11"
                                          << "Chyba za běhu 11:||Dělení nulou";
        QTest::newRow("overflow") << "6"
                                  << "Chyba za běhu 6:||Přetečení";
        QTest::newRow("any other failure") << "0"
                                           << "Chyba za běhu 51:||Vnitřní chyba";
        QTest::newRow("Start with a pace that is no number") << "pace"
                                                             << "Chyba za běhu 13:||Nesoulad typů";
        QTest::newRow("photon pulled from the hole's centre") << "step"
                                                              << "Chyba za běhu 11:||Dělení nulou";
    }

    void errorIsReportedAndEndsTheProgram()
    {
        QFETCH(QString, raise);
        QFETCH(QString, report);
        QProcess helper;
        helper.start(QStringLiteral(ERRORREPORT_HELPER), {raise});
        QVERIFY(helper.waitForFinished(20000));
        const QString out = QString::fromUtf8(helper.readAllStandardOutput());
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit); // no crash
        QCOMPARE(helper.exitCode(), 1);
        // Nothing ran after the report; a Start click returns once the program is ending.
        const QString after = raise == "pace" ? QStringLiteral("Start returned\n") : QString();
        QCOMPARE(out, "report: " + report + "\n" + after);
    }
};

QTEST_GUILESS_MAIN(ErrorReportTest)
#include "tst_errorreport.moc"
