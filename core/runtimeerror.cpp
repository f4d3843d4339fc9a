#include "core/runtimeerror.h"

RuntimeError::RuntimeError(Code code) : std::runtime_error(czechName(code)), code_(code) {}

void raiseRuntimeError(ErrorCodes::Code code)
{
    throw RuntimeError(code);
}
