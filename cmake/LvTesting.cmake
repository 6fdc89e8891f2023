# Helpers shared by every subsystem's tests, fuzz targets and benchmarks.

if(LV_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
endif()

# lv_add_test(name SOURCES ... LIBS ...): one GoogleTest executable, registered with CTest.
# Tests run with the source folder as working directory so fixtures are found by relative path.
function(lv_add_test name)
  if(NOT LV_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  # The tests' own code is compiled without optimisation: a third of the time, and the work
  # they check runs in the libraries, which keep theirs.
  target_compile_options(${name} PRIVATE -O0)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} lv_testing GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE LV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             LV_PROGRAM_DIR="${LV_PROGRAM_DIR}")
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# lv_add_fuzzer(name SOURCE src LIBS ... CORPUS dir): a libFuzzer target when LV_BUILD_FUZZERS,
# otherwise a replay executable that the test suite runs over the seed corpus.
function(lv_add_fuzzer name)
  cmake_parse_arguments(F "" "SOURCE;CORPUS" "LIBS" ${ARGN})
  if(LV_BUILD_FUZZERS)
    add_executable(${name} ${F_SOURCE})
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  elseif(LV_BUILD_TESTS)
    if(NOT TARGET lv_fuzz_replay_main)
      add_library(lv_fuzz_replay_main OBJECT ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    endif()
    add_executable(${name}_replay ${F_SOURCE} $<TARGET_OBJECTS:lv_fuzz_replay_main>)
    target_link_libraries(${name}_replay PRIVATE ${F_LIBS})
    set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_test(NAME fuzz_replay_${name} COMMAND ${name}_replay ${F_CORPUS})
  endif()
endfunction()

# lv_add_bench(name SOURCES ... LIBS ...)
function(lv_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_compile_definitions(${name} PRIVATE LV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             LV_PROGRAM_DIR="${LV_PROGRAM_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# lv_qt_precompiled(target): the Qt headers nearly every file of a Qt target includes, parsed
# once per target.
function(lv_qt_precompiled target)
  target_precompile_headers(${target} PRIVATE
    <QApplication> <QDialog> <QImage> <QKeyEvent> <QMouseEvent> <QPainter> <QPointer> <QString>
    <QTimer> <QWidget> <functional> <memory> <string> <vector>)
endfunction()
