# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 toolchain.
#
# The posix thread variant of the compiler is used: its libstdc++ has the whole
# thread library (std::thread, std::mutex, std::call_once); the win32 variant of
# GCC 12 lacks it. Everything is linked statically (libgcc, libstdc++,
# winpthread), so Tintora.exe needs nothing beside the system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TINTORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TINTORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINTORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TINTORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TINTORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
