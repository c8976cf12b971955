# Shared by the per-architecture toolchain files, which set TOOLCHAIN_ARCH first.
if(CMAKE_HOST_WIN32)
    # An MSYS2 MinGW shell: its own gcc, g++ and windres are on the PATH, for the shell's architecture.
    if(DEFINED ENV{MSYSTEM_CARCH} AND NOT "$ENV{MSYSTEM_CARCH}" STREQUAL TOOLCHAIN_ARCH)
        message(FATAL_ERROR "A ${TOOLCHAIN_ARCH} build needs a ${TOOLCHAIN_ARCH} MinGW shell, not $ENV{MSYSTEM}")
    endif()
    return()
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TOOLCHAIN_ARCH})
set(TOOLCHAIN_PREFIX ${TOOLCHAIN_ARCH}-w64-mingw32)
# The posix thread model: the win32 one lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-sysroot.cmake)
