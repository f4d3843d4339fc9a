#pragma once

#include <string_view>

// The program's version, as the build's project() gives it: 1.0.0.
std::string_view programVersion();
