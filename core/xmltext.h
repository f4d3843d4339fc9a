#pragma once

#include <string>
#include <string_view>

// Words as XML text or as an attribute's value in double quotes.
inline std::string escapedForXml(std::string_view words)
{
    std::string escaped;
    for (const char c : words) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}
