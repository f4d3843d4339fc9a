// Halmira for Windows: one window over the engine, in plain Win32 and GDI.
#include "core/window/commandline.h"
#include "win/systemlibrary.h"
#include "win/unicode.h"
#include "win/window.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

// What the command line asks for, in Windows' forms and Linux's; the HALMIRA_LANG variable as a
// launcher may set it.
CommandLine commandLine()
{
    int count = 0;
    LPWSTR *wideArguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrow(wideArguments[i]));
    LocalFree(wideArguments);
    wchar_t environment[64] = L"";
    const DWORD length = GetEnvironmentVariableW(L"HALMIRA_LANG", environment, 64);
    const std::string otherwise = length > 0 && length < 64 ? narrow(environment) : std::string();
    const std::vector<std::string_view> views(arguments.begin(), arguments.end());
    return readCommandLine(views, otherwise, Convention::Windows);
}

void tell(const std::string &words, Language language)
{
    MessageBoxW(nullptr, wide(words).c_str(),
                wide(texts::words(Text::ProgramName, language)).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    loadFromSystemOnly();
    // Windows' own imaging decodes the pictures; common controls v6 come from the manifest.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    initCommonControls();

    const CommandLine asked = commandLine();
    if (asked.help || asked.version) {
        tell(asked.help ? helpText(asked.language, Convention::Windows) : versionText(),
             asked.language);
        CoUninitialize();
        return 0;
    }
    if (!asked.complaints.empty()) {
        std::string all;
        for (const std::string &complaint : asked.complaints)
            all += (all.empty() ? "" : "\n") + complaint;
        tell(all, asked.language);
    }

    HalmiraWindow window(instance, asked.language);
    ShowWindow(window.handle(), show);
    UpdateWindow(window.handle());

    MSG message;
    for (;;) {
        window.gate().deliverHeld();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0)
            break;
        if (window.gate().holdInput(message) || window.takeKey(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const int status = window.exitStatus();
    CoUninitialize();
    return status;
}
