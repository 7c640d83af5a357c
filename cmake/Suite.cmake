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

# The kill and stress rounds of the stress tests (kills of a worker process, rounds of a
# load). Empty: each test runs its own small count, the one CI runs. A full local check
# sets it at configure time, -DSUITE_KILL_ROUNDS=50 (or SUITE_KILL_ROUNDS in the environment
# of the first configure). The tests get this count and no other, and their ctest limit is
# computed from it, so a large count or a busy machine does not turn a pass into a timeout.
if(DEFINED ENV{SUITE_KILL_ROUNDS})
  set(suite_default_kill_rounds "$ENV{SUITE_KILL_ROUNDS}")
else()
  set(suite_default_kill_rounds "")
endif()
set(SUITE_KILL_ROUNDS "${suite_default_kill_rounds}" CACHE STRING
    "Kill and stress rounds of the stress tests; empty: each test's own small count")
if(NOT "${SUITE_KILL_ROUNDS}" STREQUAL "" AND NOT SUITE_KILL_ROUNDS MATCHES "^[1-9][0-9]*$")
  message(FATAL_ERROR "SUITE_KILL_ROUNDS must be empty or a positive whole number, not '${SUITE_KILL_ROUNDS}'")
endif()

# suite_stress_timeout(out base perRound ownRounds): the ctest limit in seconds of a stress
# test that takes about base seconds besides its rounds and perRound seconds a round, both
# well above what a busy machine takes (the limit only ends a hung test); ownRounds is the
# count the test runs when SUITE_KILL_ROUNDS is empty.
function(suite_stress_timeout out base perRound ownRounds)
  if("${SUITE_KILL_ROUNDS}" STREQUAL "")
    set(rounds ${ownRounds})
  else()
    set(rounds ${SUITE_KILL_ROUNDS})
  endif()
  math(EXPR seconds "${base} + ${perRound} * ${rounds}")
  set(${out} ${seconds} PARENT_SCOPE)
endfunction()

# suite_add_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [LOCK resource...] [TIMEOUT s]
#                [STRESS_TIMEOUT base perRound ownRounds] [DEPENDS targets...])
# A GoogleTest program; ctest runs it natively and, in the win64 build, through Wine.
# STRESS_TIMEOUT marks a stress test: it runs SUITE_KILL_ROUNDS rounds (its own count when
# that is empty), and its limit is computed from that count (suite_stress_timeout).
function(suite_add_test name)
  cmake_parse_arguments(A "WINDOWS_ONLY" "TIMEOUT" "SOURCES;LIBS;LOCK;DEPENDS;STRESS_TIMEOUT" ${ARGN})
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
  if(A_STRESS_TIMEOUT)
    list(LENGTH A_STRESS_TIMEOUT n)
    if(NOT n EQUAL 3)
      message(FATAL_ERROR "${name}: STRESS_TIMEOUT takes the base seconds, the seconds a round and the test's own rounds")
    endif()
    suite_stress_timeout(stress ${A_STRESS_TIMEOUT})
    if(NOT A_TIMEOUT OR stress GREATER A_TIMEOUT)
      set(A_TIMEOUT ${stress})
    endif()
    # The count the limit was computed for, whatever the caller's environment says.
    if("${SUITE_KILL_ROUNDS}" STREQUAL "")
      set(rounds "SUITE_KILL_ROUNDS=unset:")
    else()
      set(rounds "SUITE_KILL_ROUNDS=set:${SUITE_KILL_ROUNDS}")
    endif()
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT_MODIFICATION "${rounds}")
    # The records a kill test files are raised only in a run of the program itself: under
    # ctest its limit holds for its own count.
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT_MODIFICATION "SUITE_KILL_RECORDS=unset:")
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 240)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT})
  if(A_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${A_LOCK}")
  endif()
endfunction()
