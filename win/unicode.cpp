#include "win/unicode.h"

#include <windows.h>

std::wstring wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring text(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), static_cast<int>(text.size()));
    return text;
}

std::string narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int size = static_cast<int>(utf16.size());
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
    return text;
}
