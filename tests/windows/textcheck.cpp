// A hook that wininspect puts into Halmira's own thread: on its message it looks at the text of
// each child of the window the message went to (the main window, or a message box) in the font
// that child really draws with, and writes what it finds, as JSON, to a file in the temporary
// folder. A font handle means nothing in another process, so this must run inside.
//
// For each child with text: its id and class, the face and character set Windows chose, the
// letters that face lacks (GetGlyphIndicesW), the text's width against the room the control
// leaves it, and the rows its ink covers against the rows the control shows.
#include "tests/windows/jsontext.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The rows above and below the baseline that the text's ink reaches.
struct Ink {
    long above = 0, below = 0;
};

Ink inkOf(HDC dc, const std::vector<WORD> &glyphs)
{
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    Ink ink;
    for (const WORD glyph : glyphs) {
        GLYPHMETRICS metrics{};
        if (glyph == 0xFFFF || GetGlyphOutlineW(dc, glyph, GGO_METRICS | GGO_GLYPH_INDEX, &metrics,
                                                0, nullptr, &identity) == GDI_ERROR)
            continue;
        if (metrics.gmBlackBoxX <= 1 && metrics.gmBlackBoxY <= 1)
            continue; // a space
        ink.above = std::max(ink.above, metrics.gmptGlyphOrigin.y);
        ink.below = std::max(ink.below, long(metrics.gmBlackBoxY) - metrics.gmptGlyphOrigin.y);
    }
    return ink;
}

// What a child shows of its text: the room across, the rows it shows, and the baseline, as its
// window procedure lays the text out. An edit box sets its line at the top of its formatting
// rectangle and clips to it; a button centres the line in its face, within its bevel; a static
// control sets it at its top.
struct Room {
    long across, top, bottom, baseline;
};

Room roomOf(HWND child, const std::wstring &kind, const TEXTMETRICW &metrics)
{
    RECT client;
    GetClientRect(child, &client);
    if (kind == L"Edit") {
        const DWORD margins = static_cast<DWORD>(SendMessageW(child, EM_GETMARGINS, 0, 0));
        RECT format = client;
        SendMessageW(child, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return {client.right - LOWORD(margins) - HIWORD(margins), format.top, format.bottom,
                format.top + metrics.tmAscent};
    }
    if (kind == L"Button") {
        const long top = (client.bottom - metrics.tmHeight) / 2;
        return {client.right - 8, 2, client.bottom - 2, top + metrics.tmAscent};
    }
    return {client.right, 0, client.bottom, metrics.tmAscent};
}

struct Found {
    std::string lines;
    bool first = true;
};

BOOL CALLBACK look(HWND child, LPARAM found)
{
    auto &out = *reinterpret_cast<Found *>(found);
    const std::wstring text = textOf(child);
    wchar_t kind[64] = L"";
    GetClassNameW(child, kind, 64);
    if (text.empty() || std::wstring(kind) == L"ScrollBar")
        return TRUE;
    HDC dc = GetDC(child);
    auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    std::wstring missing;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF)
            missing += text[i];
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const Ink ink = inkOf(dc, glyphs);
    const Room room = roomOf(child, kind, metrics);
    SelectObject(dc, old);
    ReleaseDC(child, dc);

    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"id\": %d, \"class\": %s, \"face\": %s, \"charset\": %d, \"missing\": %s, "
                  "\"weight\": %ld, \"width\": %ld, \"room\": %ld, \"ink\": [%ld, %ld], \"shown\": "
                  "[%ld, %ld], "
                  "\"text\": ",
                  GetDlgCtrlID(child), json(kind).c_str(), json(face).c_str(), metrics.tmCharSet,
                  json(missing).c_str(), metrics.tmWeight, size.cx, room.across,
                  room.baseline - ink.above, room.baseline + ink.below, room.top, room.bottom);
    out.lines += (out.first ? "" : ", ") + std::string(line) + json(text) + "}";
    out.first = false;
    return TRUE;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK textHook(int code, WPARAM w, LPARAM l)
{
    static const UINT ask = RegisterWindowMessageW(L"HalmiraTextCheck");
    const auto *message = reinterpret_cast<const MSG *>(l);
    if (code == HC_ACTION && w == PM_REMOVE && message->message == ask) {
        Found found;
        EnumChildWindows(message->hwnd, look, reinterpret_cast<LPARAM>(&found));
        wchar_t path[MAX_PATH];
        GetTempPathW(MAX_PATH, path);
        lstrcatW(path, L"textcheck.json");
        if (FILE *out = _wfopen(path, L"wb")) {
            std::fprintf(out, "{\"controls\": [%s]}\n", found.lines.c_str());
            std::fclose(out);
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}
