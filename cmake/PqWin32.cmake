# Cross build: the program, the plug-ins and the Win32 tests. The output
# folder out/ is laid out as the program is installed:
#   out/Pembroquil.exe, out/Plugins/*.pqi, out/Keyword/, out/Assist/

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -c 65001")

set(PQ_OUT_DIR ${CMAKE_BINARY_DIR}/out)
file(MAKE_DIRECTORY ${PQ_OUT_DIR}/Plugins ${PQ_OUT_DIR}/Keyword ${PQ_OUT_DIR}/Assist)

set(PQ_STATIC_LINK -static -static-libgcc -static-libstdc++)
set(PQ_WIN32_LIBS comctl32 comdlg32 gdi32 user32 kernel32 advapi32 shell32 shlwapi ole32
    oleaut32 uuid imm32 version htmlhelp)

# Wine runs every Win32 test program; the wrapper names the prefix and locale
# of this build tree (tools/testbed.sh creates them). A 64-bit build runs under
# the 64-bit loader itself, which needs no 32-bit support from the machine.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(PQ_WINE_LOADER /usr/lib/wine/wine64)
else()
  set(PQ_WINE_LOADER wine)
endif()
file(WRITE ${CMAKE_BINARY_DIR}/wineloader "${PQ_WINE_LOADER}\n")
configure_file(${CMAKE_SOURCE_DIR}/tools/winerun.in ${CMAKE_BINARY_DIR}/winerun @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/winerun)

# Win32 layer of the program (everything but the entry point), shared by the
# program and the Win32 tests.
pq_glob_win(PQ_WIN_SOURCES ${PQ_SUBSYSTEMS})
list(FILTER PQ_WIN_SOURCES EXCLUDE REGEX "/shell/win/WinMain\\.cpp$")
add_library(pqwin STATIC ${PQ_WIN_SOURCES})
target_include_directories(pqwin PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(pqwin PUBLIC pqcore ${PQ_WIN32_LIBS})
pq_project_flags(pqwin)

set(PQ_PROGRAM_RC ${CMAKE_SOURCE_DIR}/resources/Pembroquil.rc)
# The script includes the other .rc files of resources/ and names their files.
file(GLOB PQ_PROGRAM_RC_PARTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.ico
     ${CMAKE_SOURCE_DIR}/resources/*.bmp ${CMAKE_SOURCE_DIR}/resources/*.cur)
set_source_files_properties(${PQ_PROGRAM_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/framework/win/FrameworkRes.h;${CMAKE_SOURCE_DIR}/resources/Pembroquil.manifest;${PQ_PROGRAM_RC_PARTS}")

add_executable(Pembroquil WIN32 ${CMAKE_SOURCE_DIR}/shell/win/WinMain.cpp ${PQ_PROGRAM_RC})
target_link_libraries(Pembroquil PRIVATE pqwin)
target_link_options(Pembroquil PRIVATE ${PQ_STATIC_LINK} -mwindows)
pq_project_flags(Pembroquil)
set_target_properties(Pembroquil PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PQ_OUT_DIR})

# Plug-ins: DLLs named *.pqi that link nothing of the program. Exports are
# listed in each module's .def file so their names stay undecorated.
function(pq_plugin target output def)
  add_library(${target} SHARED ${ARGN} ${def})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  if(TARGET pq${target}_core)
    target_link_libraries(${target} PRIVATE pq${target}_core)
  endif()
  target_link_libraries(${target} PRIVATE comctl32 comdlg32 gdi32 user32 kernel32)
  target_link_options(${target} PRIVATE ${PQ_STATIC_LINK})
  pq_project_flags(${target})
  set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".pqi" OUTPUT_NAME ${output}
    RUNTIME_OUTPUT_DIRECTORY ${PQ_OUT_DIR}/Plugins LIBRARY_OUTPUT_DIRECTORY ${PQ_OUT_DIR}/Plugins)
endfunction()

file(GLOB PQ_COLOR_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/plugins/color/*.cpp
     ${CMAKE_SOURCE_DIR}/plugins/color/*.rc)
file(GLOB PQ_GRADATION_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/plugins/gradation/*.cpp
     ${CMAKE_SOURCE_DIR}/plugins/gradation/*.rc)
# The few shared sources a plug-in uses are compiled into it: the colour
# table and the Shift JIS and decimal helpers.
set(PQ_PLUGIN_SHARED_SOURCES ${CMAKE_SOURCE_DIR}/tags/core/ColorNameTable.cpp
    ${CMAKE_SOURCE_DIR}/framework/core/Sjis.cpp ${CMAKE_SOURCE_DIR}/framework/core/Decimal.cpp)
list(APPEND PQ_COLOR_SOURCES ${PQ_PLUGIN_SHARED_SOURCES})
list(APPEND PQ_GRADATION_SOURCES ${PQ_PLUGIN_SHARED_SOURCES})
pq_plugin(color Color ${CMAKE_SOURCE_DIR}/plugins/color/Color.def ${PQ_COLOR_SOURCES})
pq_plugin(gradation Gradation ${CMAKE_SOURCE_DIR}/plugins/gradation/Gradation.def ${PQ_GRADATION_SOURCES})

# Data files installed beside the program.
file(GLOB PQ_KEYWORD_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/Keyword/*.kwd)
file(GLOB PQ_ASSIST_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/Assist/*.ast)
add_custom_target(pq_data ALL)
foreach(f ${PQ_KEYWORD_FILES})
  get_filename_component(n ${f} NAME)
  add_custom_command(TARGET pq_data POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${PQ_OUT_DIR}/Keyword/${n})
endforeach()
foreach(f ${PQ_ASSIST_FILES})
  get_filename_component(n ${f} NAME)
  add_custom_command(TARGET pq_data POST_BUILD COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${PQ_OUT_DIR}/Assist/${n})
endforeach()

# Win32 tests: tests/win32/<group>/ become win32_<group>_tests.exe, linked with
# the program's Win32 layer and resources, and with the end-to-end helpers
# (host programs, screenshots, build folders). End-to-end tests start the real
# program, so they run one at a time after it is built.
pq_gtest_groups(win32 PQ_WIN32_TESTS)
foreach(target ${PQ_WIN32_TESTS})
  target_sources(${target} PRIVATE ${PQ_PROGRAM_RC} ${CMAKE_SOURCE_DIR}/tests/e2e/E2E.cpp)
  target_compile_definitions(${target} PRIVATE PQ_BUILD_DIR_UNIX="${CMAKE_BINARY_DIR}")
  target_link_libraries(${target} PRIVATE pqwin gtest_main gmock)
  target_link_options(${target} PRIVATE ${PQ_STATIC_LINK} -mconsole)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${target} color gradation pq_data)
  pq_register_gtest(${target} LABELS win32)
endforeach()

file(GLOB PQ_E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(PQ_E2E_SOURCES)
  add_executable(e2e_tests ${PQ_E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(e2e_tests PRIVATE pqcore gtest_main ${PQ_WIN32_LIBS})
  target_link_options(e2e_tests PRIVATE ${PQ_STATIC_LINK} -mconsole)
  pq_project_flags(e2e_tests)
  set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(e2e_tests PRIVATE PQ_BUILD_DIR_UNIX="${CMAKE_BINARY_DIR}")
  add_dependencies(e2e_tests Pembroquil color gradation pq_data)
  pq_register_gtest(e2e_tests SERIAL LABELS e2e TIMEOUT 1800)
endif()

# The help file, compiled from the pages in resources/help.
file(GLOB PQ_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/help/*)
add_custom_command(OUTPUT ${PQ_OUT_DIR}/Pembroquil.chm
  COMMAND ${CMAKE_SOURCE_DIR}/tools/build-help.sh ${CMAKE_SOURCE_DIR}/resources/help
          ${CMAKE_BINARY_DIR}/help ${PQ_OUT_DIR}/Pembroquil.chm
  DEPENDS ${PQ_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/tools/build-help.sh
  COMMENT "Compiling Pembroquil.chm")
add_custom_target(pq_help ALL DEPENDS ${PQ_OUT_DIR}/Pembroquil.chm)
add_dependencies(pq_data pq_help)

# Win32 benchmarks: tests/bench/win32/<name>.cpp become bench_win32_<name>.exe.
# They print figures and are run by hand under the test bed, not by ctest.
file(GLOB PQ_WIN32_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/win32/*.cpp)
foreach(src ${PQ_WIN32_BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(bench_win32_${name} ${src} ${PQ_PROGRAM_RC})
  target_include_directories(bench_win32_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(bench_win32_${name} PRIVATE pqwin)
  target_link_options(bench_win32_${name} PRIVATE ${PQ_STATIC_LINK} -mconsole)
  pq_project_flags(bench_win32_${name})
  set_target_properties(bench_win32_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
