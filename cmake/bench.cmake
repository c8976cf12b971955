# Google Benchmark timings of the core (bench/), off unless asked for: scripts/bench.sh turns it on.
# The benchmarks get their own uninstrumented, optimised copy of the core, whatever DERODAZO_SANITIZE says.
option(DERODAZO_BENCH "Build the benchmarks of bench/ (never run by the tests)" OFF)
if(DERODAZO_BENCH)
    find_package(benchmark REQUIRED)
    add_library(derodazo_core_bench STATIC ${CORE_SOURCES})
    target_include_directories(derodazo_core_bench PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(derodazo_core_bench PRIVATE ${WARNINGS})
    add_executable(core_bench ${CMAKE_SOURCE_DIR}/bench/core_bench.cpp)
    target_compile_options(core_bench PRIVATE ${WARNINGS})
    target_link_libraries(core_bench PRIVATE derodazo_core_bench benchmark::benchmark)
endif()
