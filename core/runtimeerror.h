#pragma once

#include "core/errors.h"

#include <stdexcept>

// A run-time error where the platform has C++ exceptions: nothing catches it but the handler
// guard, which reports it and ends the program.
class RuntimeError : public std::runtime_error, public ErrorCodes
{
public:
    explicit RuntimeError(Code code);

    Code code() const { return code_; }

private:
    Code code_;
};
