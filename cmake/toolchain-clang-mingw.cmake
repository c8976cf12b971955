# clang and lld for Windows, with MinGW-w64's headers and C runtime and GCC's libstdc++ (Debian's packages).
# Shared by the per-architecture toolchain files, which set TOOLCHAIN_ARCH first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TOOLCHAIN_ARCH})
set(TOOLCHAIN_PREFIX ${TOOLCHAIN_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER llvm-windres-14)
set(CMAKE_RC_FLAGS_INIT "--target=${TOOLCHAIN_PREFIX}")

# clang does not take Debian's GCC directory for one ("12-posix" is no version number to it), so its
# libstdc++ headers and libraries are named here: those of the posix thread model, as for the GCC builds.
# That libstdc++ calls winpthreads, which GCC's driver adds to every link and clang's does not.
set(GCC_DIR /usr/lib/gcc/${TOOLCHAIN_PREFIX}/12-posix)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${GCC_DIR}/include/c++ -isystem ${GCC_DIR}/include/c++/${TOOLCHAIN_PREFIX} \
-isystem ${GCC_DIR}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${GCC_DIR}")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread" CACHE STRING "Libraries linked into every C++ executable")

# The release check reads the program's imports in GNU objdump's words.
set(CMAKE_OBJDUMP ${TOOLCHAIN_PREFIX}-objdump CACHE FILEPATH "objdump for the release check")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-sysroot.cmake)
