#pragma once

#include <string>
#include <string_view>

// The engine speaks UTF-8, Windows UTF-16: every text crosses here, and only the W functions
// see it.
std::wstring wide(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
