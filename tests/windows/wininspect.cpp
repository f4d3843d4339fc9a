// A helper that runs under Wine beside halmira.exe and looks at it from outside, as the tests
// need: Wine has no bridge to the desktop's screen readers, and another process's edit box
// tells GetWindowText nothing. It prints what it finds as JSON, one line.
//
//   wininspect controls             the window and each control: id, class, text, place on the
//                                   screen, shown, and the scroll bar's position
//   wininspect settext ID TEXT      sets a control's text, as WM_SETTEXT does
//   wininspect run ID [PACE]        clicks the button and waits for its handler to return, with
//                                   the pace text given first; the seconds it took, and whether
//                                   Windows ever took the window for hung meanwhile
//   wininspect keys ID              posts Right to the control every 50 ms until the run's last
//                                   caption shows, then Home and Right twice; how many Rights
//                                   came before the run's end
//   wininspect dpistorm N           changes the window's DPI N times from inside its thread, by
//                                   dpistorm.dll; its bitmaps and memory before and after
//   wininspect texts [box]          each control's text as the program draws it, by
//                                   textcheck.dll: its face, the letters the face lacks, its
//                                   width and its ink's rows against the control's room; with
//                                   box, of any box Halmira shows, before its window too
//   wininspect errorbox [any]       the text of the error box, which it then closes; with any,
//                                   of any box Halmira shows, before its window too
//   wininspect clipboard W H PPM PNG
//                                   the picture on the clipboard: which of the enhanced
//                                   metafile, a DIB and a PNG it holds and their sizes; the
//                                   metafile played into W x H pixels on white, written as a
//                                   PPM, and the PNG's bytes written as they are
//   wininspect errorbox stay MS     the same, once the box has been left up for MS ms: whether
//                                   it stayed up meanwhile
#include "tests/windows/jsontext.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

constexpr int paceId = 1009;     // nSpomal, tenth in the layout table
constexpr int distanceId = 1000; // nVzdálenost, first, which a run shows last

HWND halmira()
{
    for (int tries = 0; tries < 600; ++tries) {
        if (HWND window = FindWindowW(L"Halmira", nullptr))
            return window;
        Sleep(50);
    }
    return nullptr;
}

std::wstring textOf(HWND window)
{
    wchar_t text[512] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        &length);
    return std::wstring(text, length);
}

std::wstring classOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

int controls(HWND window)
{
    // The focus is another thread's: Windows tells it through the thread's GUI state.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("{\"title\": %s, \"client\": [%ld, %ld, %ld, %ld], \"hung\": %d, \"controls\": [",
                json(textOf(window)).c_str(), origin.x, origin.y, client.right, client.bottom,
                IsHungAppWindow(window) ? 1 : 0);
    bool first = true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        const std::wstring kind = classOf(child);
        const int position = kind == L"ScrollBar" ? GetScrollPos(child, SB_CTL) : 0;
        std::printf("%s{\"id\": %d, \"class\": %s, \"text\": %s, \"screen\": [%ld, %ld, %ld, %ld], "
                    "\"shown\": %s, \"focus\": %s, \"position\": %d}",
                    first ? "" : ", ", GetDlgCtrlID(child), json(kind).c_str(),
                    json(textOf(child)).c_str(), place.left, place.top, place.right - place.left,
                    place.bottom - place.top, IsWindowVisible(child) ? "true" : "false",
                    gui.hwndFocus == child ? "true" : "false", position);
        first = false;
    }
    std::printf("]}\n");
    return 0;
}

int run(HWND window, int id, const wchar_t *pace)
{
    if (pace)
        SendMessageW(GetDlgItem(window, paceId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pace));
    std::atomic<bool> done{false};
    std::atomic<int> hung{0};
    std::thread watch([&] {
        while (!done) {
            if (IsHungAppWindow(window))
                hung = 1;
            Sleep(50);
        }
    });
    const auto start = std::chrono::steady_clock::now();
    // A click sent, not posted: the handler runs inside it, so the call returns with the run.
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    done = true;
    watch.join();
    std::printf("{\"seconds\": %.4f, \"hung\": %d}\n", seconds, hung.load());
    return 0;
}

void postKey(HWND control, WPARAM key)
{
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 1 | 3u << 30);
}

// Input given at a steady rate across the end of a run, posted as another program's would be.
int keys(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    HWND distance = GetDlgItem(window, distanceId);
    int during = 0;
    for (; !IsWindowVisible(distance); ++during) {
        postKey(control, VK_RIGHT);
        Sleep(50);
    }
    postKey(control, VK_HOME);
    postKey(control, VK_RIGHT);
    postKey(control, VK_RIGHT);
    std::printf("{\"during\": %d}\n", during);
    return 0;
}

// Runs a hook of a helper DLL inside the thread of the target window: the hook does its work
// on the registered message posted there, and writes its answer, one line of JSON, to a file in
// the temporary folder, which this prints.
int askInside(HWND target, const wchar_t *dll, const char *hookName, const wchar_t *message,
              WPARAM argument, const wchar_t *answerFile)
{
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    const std::wstring result = std::wstring(path) + answerFile;
    DeleteFileW(result.c_str());
    HMODULE hook = LoadLibraryW(dll);
    const auto procedure =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void *>(GetProcAddress(hook, hookName)));
    HHOOK installed = procedure ? SetWindowsHookExW(WH_GETMESSAGE, procedure, hook,
                                                    GetWindowThreadProcessId(target, nullptr))
                                : nullptr;
    if (!installed) {
        std::printf("{\"error\": \"no hook\"}\n");
        return 1;
    }
    PostMessageW(target, RegisterWindowMessageW(message), argument, 0);
    std::string text;
    for (int tries = 0; tries < 600 && text.empty(); ++tries) {
        Sleep(100);
        if (FILE *in = _wfopen(result.c_str(), L"rb")) {
            char chunk[4096];
            std::size_t n = 0;
            while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
                text.append(chunk, n);
            std::fclose(in);
            if (text.empty() || text.back() != '\n')
                text.clear(); // still being written
        }
    }
    UnhookWindowsHookEx(installed);
    std::printf("%s", text.empty() ? "{\"error\": \"no answer\"}\n" : text.c_str());
    return text.empty() ? 1 : 0;
}

// The box Halmira shows, owned by its window or, before the window, titled as it is.
HWND halmiraBox(HWND window)
{
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)))
        if (GetWindow(box, GW_OWNER) == window || (!window && textOf(box) == L"Halmira"))
            if (!textOf(GetDlgItem(box, 0xFFFF)).empty()) // else found as it is being made
                return box;
    return nullptr;
}

int errorBox(HWND window, int stayMs = -1)
{
    for (int tries = 0; tries < 600; ++tries) {
        if (HWND box = halmiraBox(window)) {
            const std::wstring text = textOf(GetDlgItem(box, 0xFFFF));
            bool stayed = true;
            for (int waited = 0; waited < stayMs; waited += 20) {
                Sleep(20);
                stayed = stayed && IsWindow(box) && IsWindowVisible(box);
            }
            std::printf("{\"title\": %s, \"text\": %s, \"stayed\": %s}\n",
                        json(textOf(box)).c_str(), json(text).c_str(), stayed ? "true" : "false");
            std::fflush(stdout);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    std::printf("{\"error\": \"no error box\"}\n");
    return 1;
}

// The text of each control of the window, or of the box Halmira shows, as textcheck.dll finds
// it inside the program.
int texts(HWND window, bool box)
{
    HWND target = window;
    for (int tries = 0; box && tries < 600 && !(target = halmiraBox(window)); ++tries)
        Sleep(50);
    if (!target) {
        std::printf("{\"error\": \"no error box\"}\n");
        return 1;
    }
    return askInside(target, L"textcheck.dll", "textHook", L"HalmiraTextCheck", 0,
                     L"textcheck.json");
}

bool writeBytes(const wchar_t *path, const void *bytes, std::size_t size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    const bool ok =
        WriteFile(file, bytes, static_cast<DWORD>(size), &done, nullptr) && done == size;
    CloseHandle(file);
    return ok;
}

int clipboard(int width, int height, const wchar_t *ppm, const wchar_t *png)
{
    if (!OpenClipboard(nullptr)) {
        std::printf("{\"error\": \"no clipboard\"}\n");
        return 1;
    }
    const UINT pngFormat = RegisterClipboardFormatW(L"PNG");
    std::string answer = "{";
    auto *emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    answer += "\"emf\": " + std::string(emf ? "true" : "false");
    if (emf) {
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(emf, sizeof header, &header);
        answer += ", \"emfRecords\": " + std::to_string(header.nRecords);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down, as a PPM's rows go
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc, emf, &all);
        GdiFlush();
        const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
        std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const auto *p = static_cast<const unsigned char *>(bits) + y * stride + x * 3;
                out += static_cast<char>(p[2]);
                out += static_cast<char>(p[1]);
                out += static_cast<char>(p[0]);
            }
        writeBytes(ppm, out.data(), out.size());
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
        const auto *header = static_cast<const BITMAPINFOHEADER *>(GlobalLock(dib));
        answer += ", \"dib\": [" + std::to_string(header->biWidth) + ", " +
                  std::to_string(header->biHeight) + ", " + std::to_string(header->biBitCount) +
                  "]";
        GlobalUnlock(dib);
    }
    if (HANDLE bytes = GetClipboardData(pngFormat)) {
        const std::size_t size = GlobalSize(bytes);
        writeBytes(png, GlobalLock(bytes), size);
        GlobalUnlock(bytes);
        answer += ", \"png\": " + std::to_string(size);
    }
    CloseClipboard();
    std::printf("%s}\n", answer.c_str());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    // Each answer leaves as it is written, so a fault as the helper ends cannot swallow it.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring what = argc > 1 ? argv[1] : L"controls";
    if (what == L"errorbox" && argc > 2 && std::wstring(argv[2]) != L"stay")
        return errorBox(nullptr);
    if (what == L"texts" && argc > 2 && std::wstring(argv[2]) == L"box")
        return texts(nullptr, true);
    HWND window = halmira();
    if (!window) {
        std::printf("{\"error\": \"no Halmira window\"}\n");
        return 1;
    }
    if (what == L"controls")
        return controls(window);
    if (what == L"settext" && argc > 3) {
        const bool set = SendMessageW(GetDlgItem(window, _wtoi(argv[2])), WM_SETTEXT, 0,
                                      reinterpret_cast<LPARAM>(argv[3]));
        std::printf("{\"set\": %s}\n", set ? "true" : "false");
        return set ? 0 : 1;
    }
    if (what == L"run" && argc > 2)
        return run(window, _wtoi(argv[2]), argc > 3 ? argv[3] : nullptr);
    if (what == L"dpistorm" && argc > 2)
        return askInside(window, L"dpistorm.dll", "stormHook", L"HalmiraDpiStorm",
                         static_cast<WPARAM>(_wtoi(argv[2])), L"dpistorm.json");
    if (what == L"texts")
        return texts(window, false);
    if (what == L"keys" && argc > 2)
        return keys(window, _wtoi(argv[2]));
    if (what == L"errorbox")
        return errorBox(window, argc > 3 ? _wtoi(argv[3]) : -1);
    if (what == L"clipboard" && argc > 5)
        return clipboard(_wtoi(argv[2]), _wtoi(argv[3]), argv[4], argv[5]);
    std::printf("{\"error\": \"unknown command\"}\n");
    return 2;
}
