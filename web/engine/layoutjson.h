#pragma once

#include <string>

// The window's layout table as JSON, for the page to build its elements from.
std::string layoutJson();
