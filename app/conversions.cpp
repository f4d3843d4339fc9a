#include "app/conversions.h"

#include "app/runtimeerror.h"

#include <QLocale>
#include <QString>

#include <charconv>
#include <cmath>

std::string numberToText(double value)
{
    // Integral values are written out in digits: the shortest form of 100000 would be "1e+05".
    constexpr double largestPlain = 1e15;
    const bool integral = value == std::trunc(value) && std::abs(value) < largestPlain;
    char buffer[64];
    const auto result =
        integral ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
                 : std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // The text must read back through textToNumber, which goes by the locale.
    const QString point = QLocale().decimalPoint();
    if (const auto dot = text.find('.'); dot != std::string::npos && point != QLatin1String("."))
        text.replace(dot, 1, point.toStdString());
    return text;
}

double textToNumber(std::string_view text)
{
    bool ok = false;
    const QString trimmed =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
    const double value = QLocale().toDouble(trimmed, &ok);
    // QLocale also reads "inf" and "nan", which are no numbers to the user.
    if (!ok || !std::isfinite(value))
        throw RuntimeError(RuntimeError::TypeMismatch);
    return value;
}
