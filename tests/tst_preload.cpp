// The start-up preload runs on a worker thread while the application object is made. Qt takes
// the first thread that uses it as its main thread, so however the two threads fall, the program's
// own must stay the main one: Qt says nothing, and the window shows and closes cleanly.
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class PreloadTest : public QObject
{
    Q_OBJECT

private slots:
    void mainThreadStaysTheProgramsOwn_data()
    {
        QTest::addColumn<QString>("order");
        QTest::newRow("application made while the preload runs") << "";
        QTest::newRow("preload finished before the application") << "late";
    }

    void mainThreadStaysTheProgramsOwn()
    {
        QFETCH(QString, order);
        QTemporaryDir runtime; // so that Qt has no complaint about the session's runtime folder
        QProcess helper;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        helper.setProcessEnvironment(environment);
        helper.start(QStringLiteral(PRELOAD_HELPER),
                     order.isEmpty() ? QStringList{} : QStringList{order});
        QVERIFY(helper.waitForFinished(20000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromUtf8(helper.readAllStandardOutput()), QString());
        QCOMPARE(helper.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(PreloadTest)
#include "tst_preload.moc"
