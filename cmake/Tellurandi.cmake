# tl_library(name SOURCES ... DEPS ...): one static library for one source folder.
function(tl_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tl_test(name SOURCES ... DEPS ... [DISPLAY]): one GoogleTest program, one CTest entry.
# DISPLAY marks a test that needs an X server; scripts/test runs CTest under xvfb-run.
function(tl_test name)
  cmake_parse_arguments(ARG "DISPLAY" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_DISPLAY)
    set_tests_properties(${name} PROPERTIES LABELS display RESOURCE_LOCK display)
  endif()
endfunction()

# tl_bench(name SOURCES ... DEPS ...): one Google Benchmark program.
function(tl_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endfunction()
