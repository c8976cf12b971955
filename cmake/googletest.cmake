# GoogleTest for the test executables, from the first place that has it:
#  1. an installed package (find_package);
#  2. a source tree on this machine, built with the project's compiler (Debian's googletest package);
#  3. a pinned release, downloaded at configure time (a Windows checkout with a network).
# Only included when a test executable is built: the program alone never looks for it.
include_guard(GLOBAL)

set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources, built with the project's compiler")

find_package(GTest QUIET)
if(GTest_FOUND)
    message(STATUS "GoogleTest: installed package ${GTest_DIR}")
else()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    if(EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(STATUS "GoogleTest: sources in ${GOOGLETEST_SOURCE_DIR}")
        add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    else()
        message(STATUS "GoogleTest: no package, no sources in ${GOOGLETEST_SOURCE_DIR}; fetching release 1.12.1")
        include(FetchContent)
        # The release Debian ships here, so every build tests against the same framework.
        FetchContent_Declare(googletest
                             URL https://github.com/google/googletest/archive/refs/tags/release-1.12.1.tar.gz
                             DOWNLOAD_EXTRACT_TIMESTAMP ON)
        FetchContent_MakeAvailable(googletest)
    endif()
endif()
