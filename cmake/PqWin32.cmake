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
# of this build tree (tools/testbed.sh creates them).
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
set_source_files_properties(${PQ_PROGRAM_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/Pembroquil.manifest;${CMAKE_SOURCE_DIR}/resources/Pembroquil.ico;${CMAKE_SOURCE_DIR}/resources/commands.rc;${CMAKE_SOURCE_DIR}/resources/TabClose.ico;${CMAKE_SOURCE_DIR}/resources/Toolbar.bmp;${CMAKE_SOURCE_DIR}/resources/ToolbarHot.bmp")

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
# the program's Win32 layer and resources. End-to-end tests start the real
# program, so they run one at a time after it is built.
pq_gtest_groups(win32 PQ_WIN32_TESTS)
foreach(target ${PQ_WIN32_TESTS})
  target_sources(${target} PRIVATE ${PQ_PROGRAM_RC})
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
