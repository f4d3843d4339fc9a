// Halmira for Windows: one window over the engine, in plain Win32 and GDI.
#include "win/window.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Windows' own imaging decodes the pictures; common controls v6 come from the manifest.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    HalmiraWindow window(instance, Language::Czech);
    ShowWindow(window.handle(), show);
    UpdateWindow(window.handle());

    MSG message;
    for (;;) {
        window.deliverHeld();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        if (window.takeKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const int status = window.exitStatus();
    CoUninitialize();
    return status;
}
