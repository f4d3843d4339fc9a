#include "core/errors.h"

const char *ErrorCodes::czechName(Code code)
{
    switch (code) {
    case Overflow:
        return "Přetečení";
    case DivisionByZero:
        return "Dělení nulou";
    case TypeMismatch:
        return "Nesoulad typů";
    case InternalError:
        return "Vnitřní chyba";
    case ObjectRequired:
        return "Vyžadován objekt";
    case NotSupported:
        return "Objekt tuto vlastnost nebo metodu nepodporuje";
    }
    return "Neznámá chyba";
}
