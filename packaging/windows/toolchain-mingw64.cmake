# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads).
# AWARD_WIN_PREFIXES (a list, from the environment or -D) names the dependency
# cache's install folders, so that find_package looks only there and in the
# compiler's own sysroot, never in the host's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)

if(NOT AWARD_WIN_PREFIXES AND DEFINED ENV{AWARD_WIN_PREFIXES})
  set(AWARD_WIN_PREFIXES "$ENV{AWARD_WIN_PREFIXES}")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${AWARD_WIN_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
