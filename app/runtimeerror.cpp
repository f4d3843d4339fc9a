#include "app/runtimeerror.h"

RuntimeError::RuntimeError(Code code) : std::runtime_error(czechName(code)), code_(code) {}

const char *RuntimeError::czechName(Code code)
{
    switch (code) {
    case InvalidCall:
        return "Neplatné volání procedury nebo argument";
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
