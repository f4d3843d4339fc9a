// Halmira for Windows: one window over the engine, in plain Win32 and GDI.
#include "core/window/language.h"
#include "win/unicode.h"
#include "win/window.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// The window's language, as --lang=xx on the command line asks for it; a language there is none
// of is said so, and Czech is used.
Language chosenLanguage()
{
    int count = 0;
    LPWSTR *wideArguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrow(wideArguments[i]));
    LocalFree(wideArguments);
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    const LanguageChoice choice = chooseLanguage(views);
    if (!choice.complaint.empty())
        MessageBoxW(nullptr, wide(choice.complaint).c_str(),
                    wide(texts::words(Text::ProgramName, Language::Czech)).c_str(),
                    MB_OK | MB_ICONINFORMATION);
    return choice.language;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Windows' own imaging decodes the pictures; common controls v6 come from the manifest.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    HalmiraWindow window(instance, chosenLanguage());
    ShowWindow(window.handle(), show);
    UpdateWindow(window.handle());

    MSG message;
    for (;;) {
        window.deliverHeld();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        if (window.holdInput(message) || window.takeKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const int status = window.exitStatus();
    CoUninitialize();
    return status;
}
