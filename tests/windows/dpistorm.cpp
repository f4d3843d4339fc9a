// A hook that wininspect puts into Halmira's own thread: on its message it changes the window's
// DPI back and forth, as dragging the window between a 100 % and a 150 % monitor does, and
// writes the bitmaps and the memory the process holds before and after, as JSON, to a file in
// the temporary folder. WM_DPICHANGED carries a pointer, so it must be sent from inside.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

namespace {

// The process's bitmaps, found through their handles. Under Wine, which has no count of GDI
// objects, a bitmap's handle is its table index, its generation and its type (9).
int bitmaps()
{
    int count = 0;
    for (ULONG_PTR index = 0; index < 0x4000; ++index)
        for (ULONG_PTR generation = 0; generation < 0x100; ++generation)
            if (GetObjectType(reinterpret_cast<HGDIOBJ>((((generation << 8) | 0x09) << 16) |
                                                        index)) == OBJ_BITMAP) {
                ++count;
                break;
            }
    return count;
}

SIZE_T memory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK stormHook(int code, WPARAM w, LPARAM l)
{
    static const UINT storm = RegisterWindowMessageW(L"HalmiraDpiStorm");
    const auto *message = reinterpret_cast<const MSG *>(l);
    if (code == HC_ACTION && w == PM_REMOVE && message->message == storm) {
        HWND window = message->hwnd;
        const int changes = static_cast<int>(message->wParam);
        RECT frame;
        GetWindowRect(window, &frame);
        const auto change = [&](UINT dpi) {
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&frame));
        };
        // Once each way first, so that what a first change makes is counted before.
        change(144);
        change(96);
        const int bitmapsBefore = bitmaps();
        const SIZE_T memoryBefore = memory();
        for (int i = 0; i < changes; ++i)
            change(i % 2 ? 96 : 144);
        wchar_t path[MAX_PATH];
        GetTempPathW(MAX_PATH, path);
        lstrcatW(path, L"dpistorm.json");
        if (FILE *out = _wfopen(path, L"w")) {
            std::fprintf(out,
                         "{\"bitmaps\": [%d, %d], \"memory\": [%llu, %llu], \"changes\": %d}\n",
                         bitmapsBefore, bitmaps(), static_cast<unsigned long long>(memoryBefore),
                         static_cast<unsigned long long>(memory()), changes);
            std::fclose(out);
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}
