#pragma once

#include <string>
#include <string_view>

// The runtime's conversions between numbers and the text of a control. The platform gives the
// user's decimal point, as UTF-8.

// Shortest text that reads back as the same double, with no thousands separators and the
// given decimal point; integral values have no decimal part ("100000").
std::string numberToText(double value, std::string_view decimalPoint);

// Reads a number written with the given decimal point: an optional sign, digits with at most
// one decimal point, an optional exponent, and blanks around. Text that is no finite number
// raises a type mismatch.
double textToNumber(std::string_view text, std::string_view decimalPoint);
