#include "core/runtimeerror.h"

RuntimeError::RuntimeError(Code code)
    : std::runtime_error(std::string(texts::words(name(code), Language::Czech))), code_(code)
{
}

void raiseRuntimeError(ErrorCodes::Code code)
{
    throw RuntimeError(code);
}
