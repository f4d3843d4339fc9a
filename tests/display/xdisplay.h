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

    // Starts the program with these extra environment variables and waits until its window
    // shows the preview picture, so that input given next meets a window ready for it. The
    // scale is the window's device pixels per logical pixel.
    bool start(const QStringList &environment = {}, qreal scale = 1);
    QString windowId() const { return window_; }

    // Runs xdotool with the given arguments; returns what it printed, trimmed.
    static QString xdotool(const QStringList &arguments);
    void click(int x, int y, int times = 1) const;
    void resize(int width, int height) const;
    // Moves the pointer off the window, so that no control shows it hovering.
    static void parkPointer();

    // What the X server shows of the window now.
    QImage screenshot() const;
    // The whole screen, dialogs and menus with it.
    static QImage rootScreenshot();
    // Waits for a run to start (the window changes from what it was) and to end (it stays the
    // same for a while); returns the last screenshot, or a null image on time-out.
    QImage waitForRun(const QImage &before, int timeoutMs) const;
    // The most memory the program has held, in kB.
    long peakResidentKb() const;
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
