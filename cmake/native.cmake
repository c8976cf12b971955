option(DERODAZO_SANITIZE "Build the native core and its tests with ASan and UBSan (GCC and clang)" ON)
if(DERODAZO_SANITIZE)
    set(SANITIZE $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-fsanitize=address,undefined;-fno-sanitize-recover=undefined;-fno-omit-frame-pointer>)
    target_compile_options(derodazo_core PRIVATE ${SANITIZE})
    target_link_options(derodazo_core PUBLIC ${SANITIZE})
endif()

if(BUILD_TESTING)
    include(${CMAKE_CURRENT_LIST_DIR}/googletest.cmake)
    file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*/*.cpp)
    add_executable(native_tests ${NATIVE_TEST_SOURCES})
    target_compile_options(native_tests PRIVATE ${WARNINGS} ${SANITIZE})
    target_link_libraries(native_tests PRIVATE derodazo_core GTest::gtest_main)
    add_test(NAME native_tests COMMAND native_tests)

    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_FOUND AND EXISTS ${CMAKE_SOURCE_DIR}/tools/gen_resources.py)
        add_test(NAME resources_match_generator
                 COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/gen_resources.py --check
                 WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    endif()
    # The Windows CI workflow cannot run here; what it names must at least exist.
    if(Python3_FOUND)
        add_test(NAME windows_workflow_names_existing_presets
                 COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-workflow.py
                         ${CMAKE_SOURCE_DIR}/.github/workflows/windows.yml ${CMAKE_SOURCE_DIR}/CMakePresets.json)
    endif()
endif()
include(${CMAKE_CURRENT_LIST_DIR}/bench.cmake)
