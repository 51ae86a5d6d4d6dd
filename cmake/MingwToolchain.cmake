# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads: std::thread and
# std::mutex exist only in that flavour) against the Qt that scripts/build-qt-windows.sh builds.
#
#   cmake -S . -B build-windows/tree -DCMAKE_TOOLCHAIN_FILE=cmake/MingwToolchain.cmake -DZQ_QT_MINGW=<prefix>
#
# scripts/build-windows.sh passes it; ZQ_QT_MINGW defaults to the cache folder that script fills.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(zq_target x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${zq_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${zq_target}-g++-posix)
set(CMAKE_RC_COMPILER ${zq_target}-windres)

if(NOT ZQ_QT_MINGW)
    set(ZQ_QT_MINGW "$ENV{HOME}/.cache/zq-qt-mingw/5.15.8")
endif()
# Try-compiles run with a copy of the toolchain file but not the cache: hand the prefix on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZQ_QT_MINGW)

# Libraries and headers only from the Windows Qt and the MinGW sysroot; programs (moc, rcc, uic,
# lrelease) from the build machine.
set(CMAKE_FIND_ROOT_PATH ${ZQ_QT_MINGW} /usr/${zq_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The Windows Qt has no Linguist tools (Qt's tools module is not built for it); the .ts files compile
# the same with the build machine's lrelease.
set(Qt5LinguistTools_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools CACHE PATH "")

# Programs built here run under wine where a build step or a test starts them.
find_program(ZQ_WINE NAMES wine wine64)
if(ZQ_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZQ_WINE})
endif()

