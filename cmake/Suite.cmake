# Helpers that every folder of the suite uses to declare its libraries, programs and tests.

add_library(suite_options INTERFACE)
target_compile_options(suite_options INTERFACE -Wall -Wextra -Werror)
if(SUITE_WINDOWS)
  target_compile_definitions(suite_options INTERFACE
    STRICT NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
endif()
if(SUITE_SANITIZE)
  target_compile_options(suite_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                         -fno-sanitize-recover=undefined)
  target_link_options(suite_options INTERFACE -fsanitize=address,undefined)
endif()
if(SUITE_FUZZ)
  # Every library carries libFuzzer's coverage hooks; only the fuzz targets link its main.
  target_compile_options(suite_options INTERFACE -O1 -fsanitize=fuzzer-no-link,address,undefined
                         -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(suite_options INTERFACE -fsanitize=address,undefined)
endif()

# suite_add_library(name [SOURCES portable...] [WIN32_SOURCES windows-only...]
#                   [INCLUDE dirs] [LIBS libs] [WIN32_LIBS windows-only libs])
# The portable sources build in every preset; the Windows ones only in the Windows presets.
# A library with no sources for the current preset becomes an interface library.
function(suite_add_library name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN32_SOURCES;INCLUDE;LIBS;WIN32_LIBS" ${ARGN})
  set(sources ${A_SOURCES})
  set(libs ${A_LIBS})
  if(SUITE_WINDOWS)
    list(APPEND sources ${A_WIN32_SOURCES})
    list(APPEND libs ${A_WIN32_LIBS})
  endif()
  if(NOT A_INCLUDE)
    set(A_INCLUDE include)
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${A_INCLUDE})
    target_link_libraries(${name} PUBLIC ${libs} PRIVATE suite_options)
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${A_INCLUDE})
    target_link_libraries(${name} INTERFACE ${libs})
  endif()
endfunction()

# suite_add_program(name SOURCES ... [LIBS ...] [CONSOLE] [TEST_TOOL])
# A Windows program in the suite's program folder (or, for TEST_TOOL, in the tests folder).
function(suite_add_program name)
  cmake_parse_arguments(A "CONSOLE;TEST_TOOL" "" "SOURCES;LIBS" ${ARGN})
  if(NOT SUITE_WINDOWS)
    return()
  endif()
  if(A_CONSOLE)
    add_executable(${name} ${A_SOURCES})
  else()
    add_executable(${name} WIN32 ${A_SOURCES})
  endif()
  target_link_libraries(${name} PRIVATE ${A_LIBS} suite_options)
  if(A_TEST_TOOL)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SUITE_TEST_DIR})
  else()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SUITE_PROGRAM_DIR})
  endif()
endfunction()

# suite_add_bench(name SOURCES ... [LIBS ...]): a benchmark of portable code, a console
# program in the tests folder of every build (natively it is timed from an optimised build).
function(suite_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} suite_options)
  # bench_timing.h: the clock and failure report every benchmark shares.
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SUITE_TEST_DIR})
endfunction()

# suite_add_dll(name SOURCES ... DEF file.def [LIBS ...]): a DLL in the program folder
# whose exports keep the plain names of its .def file.
function(suite_add_dll name)
  cmake_parse_arguments(A "" "DEF" "SOURCES;LIBS" ${ARGN})
  if(NOT SUITE_WINDOWS)
    return()
  endif()
  add_library(${name} SHARED ${A_SOURCES} ${A_DEF})
  target_link_libraries(${name} PRIVATE ${A_LIBS} suite_options)
  set_target_properties(${name} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${SUITE_PROGRAM_DIR}
                        LINK_FLAGS "-Wl,--enable-stdcall-fixup -Wl,--kill-at")
endfunction()

# suite_program_files(target FILES ...): copy data files (UI text files, skins) into the
# program folder whenever the target is built. A file's path below the source folder
# named by BASE (default: the current source folder) is kept.
function(suite_program_files target)
  cmake_parse_arguments(A "" "BASE" "FILES" ${ARGN})
  if(NOT SUITE_WINDOWS)
    return()
  endif()
  if(NOT A_BASE)
    set(A_BASE ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  set(outputs)
  foreach(f ${A_FILES})
    get_filename_component(abs ${f} ABSOLUTE)
    file(RELATIVE_PATH rel ${A_BASE} ${abs})
    set(out ${SUITE_PROGRAM_DIR}/${rel})
    add_custom_command(OUTPUT ${out} COMMAND ${CMAKE_COMMAND} -E copy_if_different ${abs} ${out}
                       DEPENDS ${abs} VERBATIM)
    list(APPEND outputs ${out})
  endforeach()
  add_custom_target(${target}_files ALL DEPENDS ${outputs})
  if(TARGET ${target})
    add_dependencies(${target} ${target}_files)
  endif()
endfunction()

# suite_add_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [LOCK resource...] [TIMEOUT s]
#                [DEPENDS targets...])
# A GoogleTest program; ctest runs it natively and, in the win64 build, through Wine.
function(suite_add_test name)
  cmake_parse_arguments(A "WINDOWS_ONLY" "TIMEOUT" "SOURCES;LIBS;LOCK;DEPENDS" ${ARGN})
  if(NOT SUITE_BUILD_TESTS)
    return()
  endif()
  if(A_WINDOWS_ONLY AND NOT SUITE_WINDOWS)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main suite_options)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${SUITE_TEST_DIR})
  if(A_DEPENDS)
    add_dependencies(${name} ${A_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${SUITE_TEST_DIR})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 240)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  if(A_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${A_LOCK}")
  endif()
endfunction()
