#include "core/conversions.h"

#include "core/errors.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Written with the C library rather than std::to_chars: floating-point to_chars is missing from
// older macOS and is the largest part of a WebAssembly build, while these few numbers need none
// of its speed.

namespace {

// The C library reads and writes numbers by its own locale, which the toolkit may have set
// from the environment; the texts here always carry a '.' between the two.
std::string_view cPoint()
{
    const char *point = std::localeconv()->decimal_point;
    return point && *point ? point : ".";
}

void replaceAll(std::string &text, std::string_view from, std::string_view to)
{
    if (from == to)
        return;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// A number in the C library's own spelling, with '.' as its point, read exactly.
double readPlain(std::string text)
{
    replaceAll(text, ".", cPoint());
    return std::strtod(text.c_str(), nullptr);
}

std::string writeDigits(unsigned long long magnitude, bool negative)
{
    char buffer[24];
    char *end = buffer + sizeof buffer;
    char *at = end;
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--at = '-';
    return std::string(at, end);
}

// The fewest significant digits that read back as the same double.
std::string writeShortest(double value)
{
    char buffer[40];
    for (int digits = 1;; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        std::string text(buffer);
        replaceAll(text, cPoint(), ".");
        if (digits >= 17 || readPlain(text) == value)
            return text;
    }
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void noNumber()
{
    raiseRuntimeError(ErrorCodes::TypeMismatch);
}

} // namespace

std::string numberToText(double value, std::string_view decimalPoint)
{
    // Integral values are written out in digits: the shortest form of 100000 would be "1e+05".
    constexpr double largestPlain = 1e15;
    if (value == std::trunc(value) && std::abs(value) < largestPlain)
        return writeDigits(static_cast<unsigned long long>(std::abs(value)), std::signbit(value));
    std::string text = writeShortest(value);
    // The text must read back through textToNumber, which goes by the same point.
    replaceAll(text, ".", decimalPoint);
    return text;
}

double textToNumber(std::string_view text, std::string_view decimalPoint)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    // Checked here and rewritten with '.', so that only this grammar reaches the C library.
    std::string plain;
    std::size_t at = 0;
    const auto take = [&](auto accept) {
        std::size_t taken = 0;
        while (at < text.size() && accept(text[at])) {
            plain += text[at++];
            ++taken;
        }
        return taken;
    };
    const auto sign = [](char c) { return c == '+' || c == '-'; };
    if (at < text.size() && sign(text[at]))
        plain += text[at++];
    std::size_t digits = take(isDigit);
    if (!decimalPoint.empty() && text.substr(at, decimalPoint.size()) == decimalPoint) {
        at += decimalPoint.size();
        plain += '.';
        digits += take(isDigit);
    }
    if (digits == 0)
        noNumber();
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        plain += text[at++];
        if (at < text.size() && sign(text[at]))
            plain += text[at++];
        if (take(isDigit) == 0)
            noNumber();
    }
    if (at != text.size())
        noNumber();
    const double value = readPlain(plain);
    if (!std::isfinite(value))
        noNumber();
    return value;
}
