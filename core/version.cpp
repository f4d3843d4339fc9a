#include "core/version.h"

std::string_view programVersion()
{
    return HALMIRA_VERSION;
}
