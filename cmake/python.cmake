# The Python 3 that writes the word table's translations: Debian's own, which has python3-polib,
# where another python3 comes first on the path.
include_guard(GLOBAL)

find_program(HALMIRA_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT HALMIRA_PYTHON)
    find_program(HALMIRA_PYTHON NAMES python3 REQUIRED)
endif()
execute_process(COMMAND ${HALMIRA_PYTHON} -c "import polib" RESULT_VARIABLE no_polib
                OUTPUT_QUIET ERROR_QUIET)
if(no_polib)
    message(FATAL_ERROR "${HALMIRA_PYTHON} cannot read the translations: install python3-polib")
endif()
