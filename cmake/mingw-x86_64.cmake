# 64-bit Windows with mingw-w64 (g++ posix threads). Its programs run under wine64, so the
# test suites built with it run from ctest.
set(VEMORA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(VEMORA_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VEMORA_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEMORA_WINE64})
endif()
