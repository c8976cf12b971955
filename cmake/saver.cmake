# Derodazo.scr: the screen saver, a second program built from the Lines and Bubbles code of the first.
# Its Windows layer lives in src/saver/, kept out of derodazo_win so Derodazo.exe links exactly as before.
file(GLOB SAVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/saver/*.cpp)
list(REMOVE_ITEM SAVER_SOURCES ${CMAKE_SOURCE_DIR}/src/saver/saver_main.cpp)

add_library(derodazo_saver STATIC ${SAVER_SOURCES})
target_compile_options(derodazo_saver PRIVATE ${WARNINGS})
target_link_libraries(derodazo_saver PUBLIC derodazo_win advapi32)

# The version record carries the project's version, as Derodazo.exe's does.
set(SAVER_VERSION "${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, ${PROJECT_VERSION_TWEAK}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/saver/saver_version.h
     CONTENT "#define SAVER_VERSION @SAVER_VERSION@\n#define SAVER_VERSION_TEXT \"@SAVER_VERSION@\"\n")
set(SAVER_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/src/resources/saver.rc)
set(SAVER_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/src/resources/app.ico ${CMAKE_SOURCE_DIR}/src/resources/saver.manifest
                         ${CMAKE_SOURCE_DIR}/src/saver/saver_ids.h)
set_source_files_properties(${SAVER_RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS "${SAVER_RESOURCE_FILES}")
add_library(derodazo_saver_res OBJECT ${SAVER_RESOURCE_SCRIPT})
target_include_directories(derodazo_saver_res PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/saver)

add_executable(DerodazoSaver WIN32 ${CMAKE_SOURCE_DIR}/src/saver/saver_main.cpp $<TARGET_OBJECTS:derodazo_saver_res>)
set_target_properties(DerodazoSaver PROPERTIES OUTPUT_NAME Derodazo SUFFIX .scr)
target_compile_options(DerodazoSaver PRIVATE ${WARNINGS})
target_link_libraries(DerodazoSaver PRIVATE derodazo_saver)
target_link_options(DerodazoSaver PRIVATE ${STATIC_RUNTIME})
install(TARGETS DerodazoSaver RUNTIME DESTINATION .)

# Its settings live in the registry, so it may import ADVAPI32 too.
if(MINGW AND NOT CMAKE_HOST_WIN32)
    add_test(NAME release_saver COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-release.sh ${DERODAZO_ARCH}
                                        ${PROJECT_VERSION} $<TARGET_FILE:DerodazoSaver> ADVAPI32.dll)
endif()

if(DERODAZO_WINE_TESTS)
    # The tests run Derodazo.scr and open its settings dialog from its resources.
    target_link_libraries(wine_tests PRIVATE derodazo_saver)
    add_dependencies(wine_tests DerodazoSaver)
endif()
