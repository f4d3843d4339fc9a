# packagewords, which fills packaging files with the engine's words, built for this machine in
# a build whose compiler makes programs for another: the Windows and the browser builds.
# Sets HALMIRA_PACKAGEWORDS to the tool's path; call it after add_subdirectory(core).
include_guard(GLOBAL)

find_program(HOST_CXX NAMES c++ g++ clang++ REQUIRED)
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH halmira_root)
set(HALMIRA_PACKAGEWORDS ${CMAKE_BINARY_DIR}/packagewords)
add_custom_command(
    OUTPUT ${HALMIRA_PACKAGEWORDS}
    COMMAND ${HOST_CXX} -std=c++20 -O1 -I${halmira_root} ${halmira_root}/tools/packagewords.cpp
            ${halmira_root}/core/window/texts.cpp ${CMAKE_BINARY_DIR}/core/translations.cpp
            -o ${HALMIRA_PACKAGEWORDS}
    DEPENDS ${halmira_root}/tools/packagewords.cpp ${halmira_root}/core/window/texts.cpp
            ${halmira_root}/core/window/texts.h ${halmira_root}/core/window/layout.h
            ${CMAKE_BINARY_DIR}/core/translations.cpp
    VERBATIM)
