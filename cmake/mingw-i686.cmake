# Cross build for 32-bit Windows with the MinGW-w64 i686 toolchain (Debian's
# g++-mingw-w64-i686 and binutils-mingw-w64-i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(vantorel_mingw_prefix i686-w64-mingw32)
set(CMAKE_C_COMPILER ${vantorel_mingw_prefix}-gcc)
set(CMAKE_CXX_COMPILER ${vantorel_mingw_prefix}-g++)
set(CMAKE_RC_COMPILER ${vantorel_mingw_prefix}-windres)
set(CMAKE_AR ${vantorel_mingw_prefix}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${vantorel_mingw_prefix}-ranlib CACHE FILEPATH "Ranlib")

# Headers and libraries come from the MinGW sysroot only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${vantorel_mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
