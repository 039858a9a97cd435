# tl_library(name SOURCES ... DEPS ...): one static library for one source folder.
function(tl_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tl_test(name SOURCES ... DEPS ... [DISPLAY] [SHARDS n]): one GoogleTest program, one CTest
# entry (or n, each running a share of its cases).
# DISPLAY marks a test that needs an X server; scripts/test runs CTest under xvfb-run.
function(tl_test name)
  cmake_parse_arguments(ARG "DISPLAY" "SHARDS" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_SHARDS)
    # A long program runs as SHARDS tests, each a share of its test cases,
    # so that a parallel run spreads it over the cores.
    set(tests "")
    math(EXPR last "${ARG_SHARDS} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME ${name}_${shard} COMMAND ${name} --gtest_brief=1)
      set_tests_properties(${name}_${shard} PROPERTIES ENVIRONMENT
        "TL_SOURCE_DIR=${PROJECT_SOURCE_DIR};GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
      list(APPEND tests ${name}_${shard})
    endforeach()
  else()
    set(tests ${name})
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "TL_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
  if(ARG_DISPLAY)
    set_tests_properties(${tests} PROPERTIES LABELS display RESOURCE_LOCK display)
  endif()
endfunction()

# tl_bench(name SOURCES ... DEPS ...): one Google Benchmark program.
function(tl_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endfunction()

# tl_add_to_programs(dir source): adds `source` to every executable defined in
# `dir` and the folders below it.
function(tl_add_to_programs dir source)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_sources(${target} PRIVATE ${source})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    tl_add_to_programs(${subdir} ${source})
  endforeach()
endfunction()
