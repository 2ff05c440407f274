# Shared part of the mingw-w64 toolchain files: the caller sets VEMORA_MINGW_TRIPLE. The
# cross-built image libraries (scripts/cross-deps.sh) live in build/cross/<triple>; a
# different prefix can be given with -DVEMORA_CROSS_PREFIX=...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VEMORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEMORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEMORA_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

get_filename_component(_vemora_root ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(NOT VEMORA_CROSS_PREFIX)
  set(VEMORA_CROSS_PREFIX ${_vemora_root}/build/cross/${VEMORA_MINGW_TRIPLE})
endif()
# try_compile projects re-read this file; hand them the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEMORA_CROSS_PREFIX)

set(CMAKE_FIND_ROOT_PATH /usr/${VEMORA_MINGW_TRIPLE} ${VEMORA_CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static zlib, as the other image libraries are: programs then run under wine without a
# DLL search path.
set(ZLIB_USE_STATIC_LIBS ON)
