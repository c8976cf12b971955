# Whole-program runs under Wine.
# scripts/bench.sh: bench_host.exe runs Derodazo's own start-up and loop with a tick stopwatch; floor.exe is
# a bare MDI program whose 16 ms timers only take and release a DC, the platform's floor.
option(DERODAZO_BENCH "Build the measuring hosts of bench/wine/ for scripts/bench.sh and scripts/growth.sh" OFF)
if(DERODAZO_BENCH)
    add_executable(bench_host ${CMAKE_SOURCE_DIR}/bench/wine/bench_host.cpp $<TARGET_OBJECTS:derodazo_res>)
    target_compile_options(bench_host PRIVATE ${WARNINGS})
    target_link_libraries(bench_host PRIVATE derodazo_win)
    target_link_options(bench_host PRIVATE ${STATIC_RUNTIME})
    add_executable(floor ${CMAKE_SOURCE_DIR}/bench/wine/floor.cpp)
    target_compile_options(floor PRIVATE ${WARNINGS})
    target_link_libraries(floor PRIVATE user32 gdi32 kernel32)
    target_link_options(floor PRIVATE ${STATIC_RUNTIME})
    # scripts/growth.sh: the program's and the screen saver's own start-up and loop, each with a probe that
    # prints the process's memory, GDI objects and handles once a minute.
    set(GROWTH ${CMAKE_SOURCE_DIR}/bench/wine)
    add_executable(growth_host ${GROWTH}/growth_host.cpp ${GROWTH}/growth_probe.cpp $<TARGET_OBJECTS:derodazo_res>)
    add_executable(growth_saver ${GROWTH}/growth_saver.cpp ${GROWTH}/growth_probe.cpp
                                $<TARGET_OBJECTS:derodazo_saver_res>)
    target_link_libraries(growth_host PRIVATE derodazo_win psapi ntdll)
    target_link_libraries(growth_saver PRIVATE derodazo_saver psapi ntdll)
    # The monkey that plays in the default scene meanwhile: real input, menu commands and activations.
    add_executable(monkey ${GROWTH}/monkey.cpp)
    target_link_libraries(monkey PRIVATE user32)
    foreach(host growth_host growth_saver monkey)
        target_compile_options(${host} PRIVATE ${WARNINGS})
        target_link_options(${host} PRIVATE ${STATIC_RUNTIME})
    endforeach()
endif()

# scripts/program-checks.sh: the real program (and its installer) run from outside; 77 means no Wine display.
# These and the check below are shell scripts that drive the program through Wine.
if(DERODAZO_WINE_TESTS AND NOT CMAKE_HOST_WIN32)
    foreach(checks end-to-end reliability installer)
        string(REPLACE "-" "_" test_name ${checks})
        add_test(NAME ${test_name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/program-checks.sh ${checks} ${CMAKE_BINARY_DIR})
        set_tests_properties(${test_name} PROPERTIES SKIP_RETURN_CODE 77)
    endforeach()
endif()
