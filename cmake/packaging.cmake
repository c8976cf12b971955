# What ships: a ZIP archive and an NSIS installer per architecture, made by CPack from this build
# (scripts/package.sh makes all four), and the checks that guard the shipped program.

# The packages carry the version that Windows shows for the program: the one in the version record.
file(STRINGS ${RESOURCE_SCRIPT} version_line REGEX "^FILEVERSION ")
string(REGEX MATCHALL "[0-9]+" version_parts "${version_line}")
list(JOIN version_parts "." DERODAZO_VERSION)
if(NOT DERODAZO_VERSION STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The version record says ${DERODAZO_VERSION}, the project ${PROJECT_VERSION}")
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(DERODAZO_ARCH x86_64)
    set(DERODAZO_NSIS_TARGET amd64-unicode) # a 64-bit installer, so it runs where 32-bit code cannot
    set(DERODAZO_PROGRAM_FILES "$PROGRAMFILES64")
else()
    set(DERODAZO_ARCH i686)
    set(DERODAZO_NSIS_TARGET x86-unicode)
    set(DERODAZO_PROGRAM_FILES "$PROGRAMFILES")
endif()

install(TARGETS Derodazo RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Derodazo)
set(CPACK_PACKAGE_VENDOR "Plumtwig Pixelworks")
set(CPACK_PACKAGE_VERSION ${DERODAZO_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Animated Lines and Bubbles windows in an MDI frame")
set(CPACK_PACKAGE_FILE_NAME Derodazo-${DERODAZO_VERSION}-${DERODAZO_ARCH})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Derodazo)
set(CPACK_STRIP_FILES ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging/per-generator.cmake)
set(CPACK_DERODAZO_SOURCE_DIR ${CMAKE_SOURCE_DIR})
# Beside each package, its SHA-256 as sha256sum -c reads it.
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Our own installer script: the stock one also offers PATH changes, a desktop icon and a Start-menu folder.
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/packaging)
set(CPACK_NSIS_PACKAGE_NAME Derodazo)
set(CPACK_NSIS_INSTALL_ROOT ${DERODAZO_PROGRAM_FILES})
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/src/resources/app.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/src/resources/app.ico)
set(CPACK_DERODAZO_NSIS_TARGET ${DERODAZO_NSIS_TARGET})
set(CPACK_DERODAZO_COMPANY "Plumtwig Pixelworks")
include(CPack)

# Every MinGW build checks its own executable with the MinGW binutils: only system DLLs, the version record,
# a GUI program. The checks are shell and Python scripts, run where the builds are cross-compiled.
if(MINGW AND NOT CMAKE_HOST_WIN32)
    set(RELEASE_CHECK ${CMAKE_SOURCE_DIR}/scripts/check-release.sh ${DERODAZO_ARCH} ${PROJECT_VERSION})
    add_test(NAME release_binary COMMAND ${RELEASE_CHECK} $<TARGET_FILE:Derodazo>)
    if(DERODAZO_WINE_TESTS)
        # The check itself must be able to fail: a console helper without a version record fails it.
        add_test(NAME release_binary_check_rejects_a_console_tool COMMAND ${RELEASE_CHECK} $<TARGET_FILE:poke>)
        set_tests_properties(release_binary_check_rejects_a_console_tool
                             PROPERTIES PASS_REGULAR_EXPRESSION "FAIL subsystem is Windows GUI")
    endif()
endif()
