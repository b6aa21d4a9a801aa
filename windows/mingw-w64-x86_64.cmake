# CMake toolchain for 64-bit Windows programs built on Debian with MinGW-w64, in the thread
# model with POSIX threads (std::thread and std::mutex, which Qt needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZIVOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZIVOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIVOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIVOR_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIVOR_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
