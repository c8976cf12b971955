# Whole-program runs under Wine.
# scripts/bench.sh: bench_host.exe runs Derodazo's own start-up and loop with a tick stopwatch; floor.exe is
# a bare MDI program whose 16 ms timers only take and release a DC, the platform's floor.
option(DERODAZO_BENCH "Build bench_host.exe and floor.exe for scripts/bench.sh" OFF)
if(DERODAZO_BENCH)
    add_executable(bench_host ${CMAKE_SOURCE_DIR}/bench/wine/bench_host.cpp $<TARGET_OBJECTS:derodazo_res>)
    target_compile_options(bench_host PRIVATE ${WARNINGS})
    target_link_libraries(bench_host PRIVATE derodazo_win)
    target_link_options(bench_host PRIVATE ${STATIC_RUNTIME})
    add_executable(floor ${CMAKE_SOURCE_DIR}/bench/wine/floor.cpp)
    target_compile_options(floor PRIVATE ${WARNINGS})
    target_link_libraries(floor PRIVATE user32 gdi32 kernel32)
    target_link_options(floor PRIVATE ${STATIC_RUNTIME})
endif()

# scripts/reliability.sh: the real program under a monkey and hostile command lines, and nothing written.
if(DERODAZO_WINE_TESTS)
    target_link_libraries(wine_tests PRIVATE psapi) # the soak tests read the working set
    if(NOT CMAKE_HOST_WIN32)
        add_test(NAME reliability COMMAND ${CMAKE_SOURCE_DIR}/scripts/reliability.sh $<TARGET_FILE:Derodazo>)
        set_tests_properties(reliability PROPERTIES SKIP_RETURN_CODE 77)
    endif()
endif()
