#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

// Drives the real program on the X display the test runs on: starts it, finds its window,
// sends real X input through xdotool and takes screenshots from the X server.
class RealProgram
{
public:
    RealProgram();
    ~RealProgram();

    bool start();
    QString windowId() const { return window_; }

    // Runs xdotool with the given arguments; returns what it printed, trimmed.
    static QString xdotool(const QStringList &arguments);
    void click(int x, int y) const;

    // What the X server shows of the window now.
    QImage screenshot() const;
    // Waits until black text shows inside the rectangle; false on time-out.
    bool waitForText(const QRect &area, int timeoutMs) const;

    bool waitForExit(int timeoutMs);
    int exitCode() const { return process_.exitCode(); }
    QProcess::ExitStatus exitStatus() const { return process_.exitStatus(); }
    QProcess &process() { return process_; }

private:
    QProcess process_;
    QString window_;
};

// Saves a screenshot where the test run keeps them.
void keepScreenshot(const QImage &image, const QString &name);
