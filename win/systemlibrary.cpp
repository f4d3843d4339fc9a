#include "win/systemlibrary.h"

#include <commctrl.h>

#include <string>

namespace {

template <typename Function> Function lookUp(HMODULE library, const char *name)
{
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(library, name)))
               : nullptr;
}

} // namespace

void loadFromSystemOnly()
{
    // Windows 8 and later, and Windows 7 with its update for it; without it, the full paths
    // below still keep the program's own loads in the system folder.
    using SetDefault = BOOL(WINAPI *)(DWORD);
    if (const auto set =
            lookUp<SetDefault>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L""); // and never the current folder
}

HMODULE systemLibrary(const wchar_t *name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryExW((std::wstring(folder, length) + L"\\" + name).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

void fineTimers(bool on)
{
    using Period = UINT(WINAPI *)(UINT);
    static HMODULE winmm = systemLibrary(L"winmm.dll");
    static const auto begin = lookUp<Period>(winmm, "timeBeginPeriod");
    static const auto end = lookUp<Period>(winmm, "timeEndPeriod");
    if (const auto change = on ? begin : end)
        change(1);
}

void initCommonControls()
{
    // By name, so that the manifest's common controls 6 come from Windows' side-by-side store.
    using Init = BOOL(WINAPI *)(const INITCOMMONCONTROLSEX *);
    if (const auto init = lookUp<Init>(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx")) {
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        init(&controls);
    }
}
