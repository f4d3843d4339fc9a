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
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("report");
        QTest::newRow("type mismatch") << 13 << "Chyba za běhu 13:||Nesoulad typů";
        QTest::newRow("division by zero") << 11 << "Chyba za běhu 11:||Dělení nulou";
        QTest::newRow("overflow") << 6 << "Chyba za běhu 6:||Přetečení";
        QTest::newRow("any other failure") << 0 << "Chyba za běhu 51:||Vnitřní chyba";
    }

    void errorIsReportedAndEndsTheProgram()
    {
        QFETCH(int, code);
        QFETCH(QString, report);
        QProcess helper;
        helper.start(QStringLiteral(ERRORREPORT_HELPER), {QString::number(code)});
        QVERIFY(helper.waitForFinished(20000));
        const QString out = QString::fromUtf8(helper.readAllStandardOutput());
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit); // no crash
        QCOMPARE(helper.exitCode(), 1);
        QCOMPARE(out, "report: " + report + "\n"); // and nothing ran after it
    }
};

QTEST_GUILESS_MAIN(ErrorReportTest)
#include "tst_errorreport.moc"
