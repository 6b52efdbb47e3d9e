# Native configuration: unit tests, sanitizers, fuzzing and benchmarks of the portable code, and
# the registration of the Windows test programs, which run under Wine.
find_package(GTest REQUIRED)


add_executable(core_tests ${CORE_TEST_SOURCES})
target_link_libraries(core_tests haltiqo_core GTest::gtest_main)
add_test(NAME core_native COMMAND core_tests)

# The exact solver against an independent reference in Python's fractions, over seeded systems.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_executable(exact_solve_cli tests/core/ExactSolveCli.cpp)
target_link_libraries(exact_solve_cli haltiqo_core)
add_test(NAME exact_oracle COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tests/core/exact_oracle.py
                                  $<TARGET_FILE:exact_solve_cli>)

# What the programs people use write opens as meant, and what the export and the copy write
# reads back in each of them as the exact numbers.
add_executable(sheet_cli tests/peers/SheetCli.cpp)
target_link_libraries(sheet_cli haltiqo_core)
add_test(NAME peer_programs COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/peers/peer_test.py
                                   $<TARGET_FILE:sheet_cli>)
set_tests_properties(peer_programs PROPERTIES TIMEOUT 300)

# The framework's files include one another without a circle.
add_test(NAME include_graph COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/check-includes.py
                                  ${CMAKE_SOURCE_DIR}/framework)

# The same tests once more, with AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_library(haltiqo_core_san STATIC ${CORE_SOURCES})
target_include_directories(haltiqo_core_san PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(haltiqo_core_san PRIVATE ${SANITIZE})
add_executable(core_tests_san ${CORE_TEST_SOURCES})
target_compile_options(core_tests_san PRIVATE ${SANITIZE})
target_link_options(core_tests_san PRIVATE ${SANITIZE})
target_link_libraries(core_tests_san haltiqo_core_san GTest::gtest_main)
add_test(NAME core_sanitized COMMAND core_tests_san)

# libFuzzer target for the number rule, checked against an independent oracle.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_executable(fuzz_number_text fuzz/FuzzNumberText.cpp core/NumberText.cpp)
  target_include_directories(fuzz_number_text PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(fuzz_number_text PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_number_text PRIVATE -fsanitize=fuzzer,address,undefined)
  set(FUZZ_SECONDS 30 CACHE STRING "How long the fuzz test runs")
  # New inputs go to a corpus folder in the build tree; the committed seeds are only read.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus)
  add_test(NAME fuzz_number_text
           COMMAND fuzz_number_text -max_total_time=${FUZZ_SECONDS} -max_len=512
                   ${CMAKE_BINARY_DIR}/fuzz-corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus)

  # The exact solver: every reported solution satisfies the equations exactly.
  add_executable(fuzz_exact_system fuzz/FuzzExactSystem.cpp ${CORE_SOURCES})
  target_include_directories(fuzz_exact_system PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(fuzz_exact_system PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_exact_system PRIVATE -fsanitize=fuzzer,address,undefined)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-exact-corpus)
  add_test(NAME fuzz_exact_system
           COMMAND fuzz_exact_system -max_total_time=${FUZZ_SECONDS} -max_len=512
                   ${CMAKE_BINARY_DIR}/fuzz-exact-corpus ${CMAKE_SOURCE_DIR}/fuzz/exact-corpus)
endif()

# Benchmark of Solve beside LAPACK's dgesv; built on request: cmake --build build/native --target solve_bench
find_package(benchmark QUIET)
find_package(LAPACK QUIET)
if(benchmark_FOUND AND LAPACK_FOUND)
  add_executable(solve_bench EXCLUDE_FROM_ALL bench/SolveBench.cpp)
  target_link_libraries(solve_bench haltiqo_core benchmark::benchmark ${LAPACK_LIBRARIES})
endif()

# The Windows programs, built by the windows configuration, run here under Wine.
set(HALTIQO_WINDOWS_BUILD "" CACHE PATH "Build folder of the windows configuration")
if(HALTIQO_WINDOWS_BUILD)
  set(WINE_RUN ${CMAKE_SOURCE_DIR}/tools/wine-run.sh)
  set(WINE_STATE ${CMAKE_BINARY_DIR}/wine-state)
  add_test(NAME wine_session_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh start ${WINE_STATE})
  add_test(NAME wine_session_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine-session.sh stop ${WINE_STATE})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
  set(WINDOWS_TESTS core_tests_win ui_tests)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/E2eMain.cpp)
    list(APPEND WINDOWS_TESTS e2e_tests)
  endif()
  foreach(prog ${WINDOWS_TESTS})
    add_test(NAME ${prog}
             COMMAND ${WINE_RUN} ${WINE_STATE} ${HALTIQO_WINDOWS_BUILD}/${prog}.exe)
    set_tests_properties(${prog} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900)
  endforeach()
  # The download, unpacked and run, and its installer (tools/release.sh).
  add_test(NAME release_check COMMAND ${CMAKE_SOURCE_DIR}/tools/check-release.sh ${WINE_STATE})
  set_tests_properties(release_check PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
else()
  message(WARNING "HALTIQO_WINDOWS_BUILD is not set: CTest runs only the native tests here, none of "
                  "the Windows programs, the end-to-end tests or the release check. "
                  "tools/test.sh sets it and runs them all.")
endif()
