#pragma once

#include <windows.h>

#include <string>

// What a screen reader hears beyond what the native controls tell it: a control's name and
// role where its own text says nothing, the drawing's description, and a run's start and end.
// Native controls give MSAA and UI Automation; these add to them where Windows has the means,
// looked up at run time, so that a Windows without them still starts.
class Speech
{
public:
    Speech();
    ~Speech();
    Speech(const Speech &) = delete;
    Speech &operator=(const Speech &) = delete;

    void name(HWND control, const std::wstring &name);
    // The drawing: a picture with a name, described once a run has drawn it.
    void graphic(HWND canvas, const std::wstring &name);
    void describe(HWND canvas, const std::wstring &description);
    // Said at once by a screen reader that listens to UI Automation's notifications; each one
    // is queued, so that runs in a row are each heard.
    void announce(HWND window, const std::wstring &words);

private:
    struct IAccPropServices *annotations_ = nullptr;
};
