#include "xdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QScreen>
#include <QThread>

RealProgram::RealProgram()
{
    process_.setProgram(QStringLiteral(HALMIRA_BINARY));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

RealProgram::~RealProgram()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool RealProgram::start(const QStringList &environment, qreal scale)
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : environment)
        variables.insert(variable.section('=', 0, 0), variable.section('=', 1));
    process_.setProcessEnvironment(variables);
    process_.start();
    if (!process_.waitForStarted(10000))
        return false;
    // --all: the window must match the process and the name, not either.
    window_ = xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                       QString::number(process_.processId()), "--name", "^Halmira"})
                  .section('\n', 0, 0);
    if (window_.isEmpty())
        return false;
    const QColor previewBackground(166, 202, 240);
    QElapsedTimer clock;
    clock.start();
    while (screenshot().pixelColor(qRound(150 * scale), qRound(500 * scale)) != previewBackground) {
        if (clock.elapsed() > 20000)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QString RealProgram::xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

void RealProgram::click(int x, int y, int times) const
{
    xdotool({"mousemove", "--window", window_, QString::number(x), QString::number(y), "click",
             "--repeat", QString::number(times), "--delay", "80", "1"});
}

void RealProgram::parkPointer()
{
    xdotool({"mousemove", "1910", "1190"});
}

void RealProgram::resize(int width, int height) const
{
    xdotool({"windowsize", "--sync", window_, QString::number(width), QString::number(height)});
}

QImage RealProgram::waitForRun(const QImage &before, int timeoutMs) const
{
    constexpr int stillShots = 3; // 600 ms without a change: a run draws all the time
    QElapsedTimer clock;
    clock.start();
    QImage last = screenshot();
    while (last == before) {
        if (clock.elapsed() > timeoutMs)
            return {};
        QThread::msleep(20);
        last = screenshot();
    }
    for (int same = 0; same < stillShots;) {
        if (clock.elapsed() > timeoutMs)
            return {};
        QThread::msleep(200);
        const QImage next = screenshot();
        same = next == last ? same + 1 : 0;
        last = next;
    }
    return last;
}

long RealProgram::peakResidentKb() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process_.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QImage RealProgram::screenshot() const
{
    return QGuiApplication::primaryScreen()->grabWindow(window_.toULongLong()).toImage();
}

QImage RealProgram::rootScreenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

bool RealProgram::waitForText(const QRect &area, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const QImage part = screenshot().copy(area);
        for (int y = 0; y < part.height(); ++y)
            for (int x = 0; x < part.width(); ++x)
                if (qGray(part.pixel(x, y)) < 64)
                    return true;
        QThread::msleep(50);
    }
    return false;
}

bool RealProgram::waitForExit(int timeoutMs)
{
    return process_.waitForFinished(timeoutMs);
}

void keepScreenshot(const QImage &image, const QString &name)
{
    const QDir folder(QStringLiteral(SCREENSHOT_DIR));
    folder.mkpath(QStringLiteral("."));
    image.save(folder.filePath(name + QStringLiteral(".png")));
}
