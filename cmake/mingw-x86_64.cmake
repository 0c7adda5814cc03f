# Cross toolchain: 64-bit Windows (PE32+, x86-64) through mingw-w64 with POSIX
# threads. The program ships as PE32 (cmake/mingw-i686.cmake); this build of
# the same sources runs the Win32 and end-to-end tests on machines whose
# kernel cannot run 32-bit code, where 32-bit Wine does not start.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PQ_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${PQ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PQ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${PQ_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PQ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
