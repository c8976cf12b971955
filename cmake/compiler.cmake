# Each compiler's own spelling of the project's options; none reaches another compiler.
# WARNINGS goes to target_compile_options, STATIC_RUNTIME to target_link_options of executables.

# Warnings are errors. Only C++ sources get them: a resource compiler would take them for its own flags.
set(WARNINGS
    $<$<COMPILE_LANG_AND_ID:CXX,GNU,Clang,AppleClang>:-Wall;-Wextra;-Werror>
    $<$<COMPILE_LANG_AND_ID:CXX,MSVC>:/W4;/WX;/permissive->)

# No C runtime DLL to ship beside the program. MinGW (GCC or clang) links its runtimes statically
# with flags; MSVC picks the static runtime per configuration, for every target including GoogleTest.
set(STATIC_RUNTIME $<$<BOOL:${MINGW}>:-static;-static-libgcc;-static-libstdc++>)
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
# Subprojects with an older cmake_minimum_required (GoogleTest) honour that setting too.
set(CMAKE_POLICY_DEFAULT_CMP0091 NEW)

# Floating point in SSE2 registers on 32-bit x86 too, as every x86_64 build and MSVC's Win32 build (whose
# default is /arch:SSE2) do. Left to x87, GCC and clang keep 80-bit intermediates, and a colour such as
# v * (1.0 - s * f) * 255.0 then truncates one lower than in the other builds. Windows 8 needs SSE2 anyway.
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(APPEND CMAKE_C_FLAGS " -msse2 -mfpmath=sse")
    string(APPEND CMAKE_CXX_FLAGS " -msse2 -mfpmath=sse")
endif()
# Each build says how it compiles, so a log shows which floating point it got.
string(TOUPPER "${CMAKE_BUILD_TYPE}" BUILD_TYPE_UPPER)
string(STRIP "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${BUILD_TYPE_UPPER}}" ALL_CXX_FLAGS)
message(NOTICE "${CMAKE_CXX_COMPILER_ID} ${CMAKE_CXX_COMPILER_VERSION} for ${CMAKE_SYSTEM_NAME} "
               "${CMAKE_SYSTEM_PROCESSOR}, C++ flags: ${ALL_CXX_FLAGS}")
# The same commit builds the same bytes in any folder, at any time: no link time in the PE header, and no
# checkout or build folder in what is compiled (CMake names the sources by their absolute paths).
if(MINGW)
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.>"
                        "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}=build>")
    add_link_options(-Wl,--no-insert-timestamp)
endif()
