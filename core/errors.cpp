#include "core/errors.h"

#include "core/conversions.h"

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

std::string errorReport(ErrorCodes::Code code, Language language)
{
    return texts::fill(Text::ErrorReport, language,
                       {numberToText(code, "."), texts::words(ErrorCodes::name(code), language)});
}
