#pragma once

#include "core/window/texts.h"

#include <string>

// The run-time errors a handler can raise, by the numbers the error report shows.
struct ErrorCodes {
    enum Code {
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
        InternalError = 51,
        ObjectRequired = 424,
        NotSupported = 438,
    };

    // The error's name, as the report shows it.
    static Text name(Code code);
};

// The error report's sentence: the error's number and its name.
std::string errorReport(ErrorCodes::Code code, Language language);

// Ends the running handler with an error; nothing in the handlers catches it. Each platform
// gives its own: the desktop throws to its handler guard, the browser reports it to the page
// and traps, as it has no C++ exceptions.
[[noreturn]] void raiseRuntimeError(ErrorCodes::Code code);
