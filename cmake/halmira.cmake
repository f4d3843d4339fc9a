# What every part of the build shares: the language standard and the warnings, in each
# compiler's own spelling.
include_guard(GLOBAL)

# The program's one version, as the top project() gives it: the Windows and the browser builds,
# projects of their own, read it from there too.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt halmira_project REGEX "^project\\(Halmira ")
string(REGEX MATCH "VERSION ([0-9]+\\.[0-9]+\\.[0-9]+)" halmira_project "${halmira_project}")
set(HALMIRA_VERSION ${CMAKE_MATCH_1})
if(NOT HALMIRA_VERSION)
    message(FATAL_ERROR "no version in the top CMakeLists.txt's project()")
endif()

# Who holds the copyright, and the licence, as the packages and the version resources say them.
set(HALMIRA_COPYRIGHT "© 2026 Halmira's developers")
set(HALMIRA_LICENSE GPL-3.0-or-later)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)

add_library(halmira_warnings INTERFACE)
target_compile_options(halmira_warnings INTERFACE
    "$<IF:$<CXX_COMPILER_ID:MSVC>,/W4;/utf-8,-Wall;-Wextra;-Wpedantic>")
