enable_language(RC)
# NOMINMAX: std::min and std::max stay usable beside <windows.h> (MinGW has no such macros in C++, MSVC has).
# MSVC would warn about the standard C calls it deprecates in favour of its own.
set(WIN_DEFINES WIN32_LEAN_AND_MEAN STRICT NOMINMAX $<$<CXX_COMPILER_ID:MSVC>:_CRT_SECURE_NO_WARNINGS>)
target_compile_definitions(derodazo_core PRIVATE ${WIN_DEFINES})

# Everything of the program but WinMain, so the Wine tests drive the real window procedures. The screen
# saver's own files are saver.cmake's.
file(GLOB WIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
list(REMOVE_ITEM WIN_SOURCES ${CMAKE_SOURCE_DIR}/src/shell/main.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX "/src/saver/[^/]*\\.cpp$")
add_library(derodazo_win STATIC ${WIN_SOURCES})
target_compile_definitions(derodazo_win PUBLIC ${WIN_DEFINES})
target_compile_options(derodazo_win PRIVATE ${WARNINGS})
target_link_libraries(derodazo_win PUBLIC derodazo_core user32 gdi32 kernel32 shell32)

# The resource scripts carry each program's manifest; MSVC's linker would add a second one of its own.
add_link_options($<$<CXX_COMPILER_ID:MSVC>:/MANIFEST:NO>)
# Every file of src/resources, the manifest too, rebuilds the resources when it changes.
set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/src/resources/derodazo.rc CACHE FILEPATH "The resource script")
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS "${RESOURCE_FILES};${CMAKE_SOURCE_DIR}/src/common/ids.h")
add_library(derodazo_res OBJECT ${RESOURCE_SCRIPT})
target_include_directories(derodazo_res PRIVATE ${CMAKE_SOURCE_DIR}/src)

add_executable(Derodazo WIN32 ${CMAKE_SOURCE_DIR}/src/shell/main.cpp $<TARGET_OBJECTS:derodazo_res>)
target_compile_options(Derodazo PRIVATE ${WARNINGS})
target_link_libraries(Derodazo PRIVATE derodazo_win)
target_link_options(Derodazo PRIVATE ${STATIC_RUNTIME})

include(CMakeDependentOption)
cmake_dependent_option(DERODAZO_WINE_TESTS "Build the in-process tests that run under Wine" ON BUILD_TESTING OFF)
if(DERODAZO_WINE_TESTS)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest.cmake)
    file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
    list(FILTER WINE_TEST_SOURCES EXCLUDE REGEX "/tests/wine/tool_[^/]*\\.cpp$")
    add_executable(wine_tests ${WINE_TEST_SOURCES} $<TARGET_OBJECTS:derodazo_res>)
    target_include_directories(wine_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/wine)
    target_compile_options(wine_tests PRIVATE ${WARNINGS})
    target_link_libraries(wine_tests PRIVATE derodazo_win GTest::gtest_main)
    target_link_options(wine_tests PRIVATE ${STATIC_RUNTIME})
    # Small helper programs the tests start: tests/wine/tool_<name>.cpp becomes <name>.exe.
    file(GLOB WINE_TOOL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/tool_*.cpp)
    foreach(tool_source ${WINE_TOOL_SOURCES})
        get_filename_component(tool_name ${tool_source} NAME_WE)
        string(REPLACE "tool_" "" tool_name ${tool_name})
        add_executable(${tool_name} ${tool_source})
        target_compile_options(${tool_name} PRIVATE ${WARNINGS})
        target_link_libraries(${tool_name} PRIVATE user32 gdi32 kernel32 shell32)
        target_link_options(${tool_name} PRIVATE ${STATIC_RUNTIME})
        add_dependencies(wine_tests ${tool_name})
    endforeach()
    add_test(NAME wine_tests COMMAND wine_tests)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/packaging.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/wine_runs.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/saver.cmake)
