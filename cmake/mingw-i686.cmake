# 32-bit Windows with mingw-w64 (g++ posix threads): the target of the shipped DLL. Its
# programs are built and inspected here, not run.
set(VEMORA_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
