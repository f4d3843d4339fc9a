# What every part of the build shares: the language standard and the warnings, in each
# compiler's own spelling.
include_guard(GLOBAL)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)

add_library(halmira_warnings INTERFACE)
target_compile_options(halmira_warnings INTERFACE
    "$<IF:$<CXX_COMPILER_ID:MSVC>,/W4;/utf-8,-Wall;-Wextra;-Wpedantic>")
