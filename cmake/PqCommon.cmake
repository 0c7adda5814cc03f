# Settings shared by the native and the cross build.

set(PQ_SUBSYSTEMS framework editor documents shell tags config search filetree)
set(PQ_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")

# Every .cpp in the core/ folder of the given subsystems.
function(pq_glob_core out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB _files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/core/*.cpp)
    list(APPEND result ${_files})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Every .cpp in the win/ folder of the given subsystems.
function(pq_glob_win out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB _files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/win/*.cpp)
    list(APPEND result ${_files})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# Warnings and the Shift JIS execution character set: narrow literals in our
# UTF-8 sources become code page 932 bytes in both builds.
# (clang, used only for the fuzzers, has no such option and keeps UTF-8.)
function(pq_project_flags target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8 -fexec-charset=CP932>)
  endif()
endfunction()

# One test program per folder of tests: tests/<kind>/<group>/*.cpp.
# Each program writes its results as GoogleTest XML into results/.
function(pq_gtest_groups kind out_targets)
  set(targets)
  file(GLOB _groups LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/${kind}/*)
  foreach(group_dir ${_groups})
    if(IS_DIRECTORY ${group_dir})
      get_filename_component(group ${group_dir} NAME)
      file(GLOB _sources CONFIGURE_DEPENDS ${group_dir}/*.cpp)
      if(_sources)
        set(target ${kind}_${group}_tests)
        add_executable(${target} ${_sources})
        target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
        pq_project_flags(${target})
        list(APPEND targets ${target})
      endif()
    endif()
  endforeach()
  set(${out_targets} ${targets} PARENT_SCOPE)
endfunction()

function(pq_register_gtest target)
  cmake_parse_arguments(ARG "SERIAL" "TIMEOUT" "LABELS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target})
  set(props ENVIRONMENT "GTEST_OUTPUT=xml:${PQ_RESULTS_DIR}/${target}.xml")
  if(ARG_TIMEOUT)
    list(APPEND props TIMEOUT ${ARG_TIMEOUT})
  else()
    list(APPEND props TIMEOUT 900)
  endif()
  if(ARG_SERIAL)
    list(APPEND props RUN_SERIAL TRUE)
  endif()
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  set_tests_properties(${target} PROPERTIES ${props})
endfunction()

set(PQ_RESULTS_DIR ${CMAKE_BINARY_DIR}/results)
file(MAKE_DIRECTORY ${PQ_RESULTS_DIR})
