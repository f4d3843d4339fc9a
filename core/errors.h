#pragma once

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

    // The error's name as the report shows it, in Czech.
    static const char *czechName(Code code);
};

// Ends the running handler with an error; nothing in the handlers catches it. Each platform
// gives its own: the desktop throws to its handler guard, the browser reports it to the page
// and traps, as it has no C++ exceptions.
[[noreturn]] void raiseRuntimeError(ErrorCodes::Code code);
