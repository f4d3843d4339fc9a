#pragma once

#include <stdexcept>

// An error raised inside a handler. Nothing in the program catches it but the handler guard,
// which reports it and ends the program.
class RuntimeError : public std::runtime_error
{
public:
    enum Code {
        InvalidCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
        TypeMismatch = 13,
        InternalError = 51,
        ObjectRequired = 424,
        NotSupported = 438,
    };

    explicit RuntimeError(Code code);

    Code code() const { return code_; }

    // The error's name as the report shows it, in Czech.
    static const char *czechName(Code code);

private:
    Code code_;
};
