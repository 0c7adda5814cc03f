# Native build: the unit tests of the core library, the benchmarks, the
# native tools and the libFuzzer targets. The sanitizer and fuzzer flags are
# set in cmake/PqSanitize.cmake, before the core library is defined.

pq_gtest_groups(native PQ_NATIVE_TESTS)
foreach(target ${PQ_NATIVE_TESTS})
  target_link_libraries(${target} PRIVATE ${PQ_PLUGIN_CORE_LIBS} pqcore gtest_main gmock)
  # Tests of the files we ship read them from the source tree.
  target_compile_definitions(${target} PRIVATE PQ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  pq_register_gtest(${target} LABELS native)
endforeach()

# Benchmarks print figures; they are built here and run by tools/bench.sh.
file(GLOB _bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/*.cpp)
foreach(src ${_bench_sources})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_${name} ${src})
  target_include_directories(bench_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(bench_${name} PRIVATE pqcore)
  pq_project_flags(bench_${name})
endforeach()

# Native command-line tools.
file(GLOB _tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/native/*.cpp)
foreach(src ${_tool_sources})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE pqcore)
  pq_project_flags(${name})
endforeach()
add_test(NAME pqconv_cases COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/pqconv-test.sh $<TARGET_FILE:pqconv>)

# libFuzzer targets: tests/fuzz/*.cpp, one fuzzer each.
if(PQ_FUZZ)
  file(GLOB _fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(src ${_fuzz_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(fuzz_${name} ${src})
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(fuzz_${name} PRIVATE ${PQ_PLUGIN_CORE_LIBS} pqcore)
  endforeach()
endif()
