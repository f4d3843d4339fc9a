#pragma once

#include <string>
#include <string_view>

// The runtime's conversions between numbers and the text of a control.

// Shortest text that reads back as the same double, with no thousands separators and the
// locale's decimal point; integral values have no decimal part ("100000").
std::string numberToText(double value);

// Reads a number by the user's locale. Text that is no finite number raises a type mismatch.
double textToNumber(std::string_view text);
