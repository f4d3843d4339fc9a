#include "core/errors.h"

Text ErrorCodes::name(Code code)
{
    switch (code) {
    case Overflow:
        return Text::ErrorOverflow;
    case DivisionByZero:
        return Text::ErrorDivisionByZero;
    case TypeMismatch:
        return Text::ErrorTypeMismatch;
    case InternalError:
        return Text::ErrorInternal;
    case ObjectRequired:
        return Text::ErrorObjectRequired;
    case NotSupported:
        return Text::ErrorNotSupported;
    }
    return Text::ErrorUnknown;
}

namespace {

// The error numbers are small and positive; the C library's formatting would cost the browser's
// module more than this.
std::string digits(unsigned number)
{
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + number % 10));
        number /= 10;
    } while (number != 0);
    return text;
}

} // namespace

std::string errorReport(ErrorCodes::Code code, Language language)
{
    return texts::fill(Text::ErrorReport, language,
                       {digits(code), texts::words(ErrorCodes::name(code), language)});
}
