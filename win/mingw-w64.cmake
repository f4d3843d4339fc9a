# MinGW-w64 from Debian, for 64-bit Windows (the default) or, with -DHALMIRA_WINDOWS_ARCH=i686,
# for 32-bit Windows; the POSIX thread model, as C++'s threads and clocks want it.
set(HALMIRA_WINDOWS_ARCH x86_64 CACHE STRING "x86_64 or i686")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${HALMIRA_WINDOWS_ARCH})
set(triple ${HALMIRA_WINDOWS_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
