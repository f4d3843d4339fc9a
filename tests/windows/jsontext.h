#pragma once
// A text as a JSON string, in UTF-8, for the Windows test helpers' one-line answers.
#include <windows.h>

#include <string>

inline std::string json(const std::wstring &text)
{
    std::string out = "\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == L'\n') {
            out += "\\n";
        } else if (c < 0x20) {
            out += ' ';
        } else {
            char utf8[8];
            const int n =
                WideCharToMultiByte(CP_UTF8, 0, &c, 1, utf8, sizeof utf8, nullptr, nullptr);
            out.append(utf8, static_cast<std::size_t>(n));
        }
    }
    return out + "\"";
}
