#include "xdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
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

bool RealProgram::start()
{
    process_.start();
    if (!process_.waitForStarted(10000))
        return false;
    window_ = xdotool({"search", "--sync", "--onlyvisible", "--pid",
                       QString::number(process_.processId()), "--name", "^Halmira"})
                  .section('\n', 0, 0);
    return !window_.isEmpty();
}

QString RealProgram::xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

void RealProgram::click(int x, int y) const
{
    xdotool(
        {"mousemove", "--window", window_, QString::number(x), QString::number(y), "click", "1"});
}

QImage RealProgram::screenshot() const
{
    return QGuiApplication::primaryScreen()->grabWindow(window_.toULongLong()).toImage();
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
