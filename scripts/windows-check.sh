#!/usr/bin/env bash
# CI's Windows step: the same source built with mingw-w64.
#
#   - x86_64: the core and the SQLite gateway with their test suites, run under wine64;
#   - i686: the core compiled and linked with warnings as errors (32-bit programs cannot
#     run on these machines, so nothing is run);
#   - i686: the DLL's export table holds exactly ShowVemora, stdcall (its code returns with
#     "ret $0x20", popping its eight arguments). The real vemora.dll needs Qt for Windows
#     (scripts/windows-full.sh); when that has not been built here, the check runs on a
#     stand-in DLL built from the same entry declaration and the same export rules.
#
# Folders: build/cross (libraries, reused), build/win64, build/win32, build/wine64-prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)
step() { echo "=== windows: $* ($(($(date +%s) - start)) s)"; }
jobs=$(nproc)

step "packages"
scripts/install-deps.sh --windows

step "image libraries"
scripts/cross-deps.sh x86_64
scripts/cross-deps.sh i686

configure() {
  local folder=$1 arch=$2
  shift 2
  cmake -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMORA_WERROR=ON "$@" >/dev/null
}

step "x86_64 core and tests"
configure build/win64 x86_64 -DVEMORA_CORE_ONLY=ON
cmake --build build/win64 -j "$jobs"

step "x86_64 tests under wine64"
export WINEPREFIX=$root/build/wine64-prefix WINEDEBUG=-all
export PATH=/usr/lib/wine:$PATH
# The prefix, a persistent server and wine's services first: started by the first test,
# they would keep ctest's output pipe open and ctest would wait for them forever.
# The persistent server comes first: a wineboot started without one leaves a server of its
# own behind for a while, and the persistent one then refuses to start.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k || true' EXIT
wine64 wineboot --init >/dev/null 2>&1
ctest --test-dir build/win64 --output-on-failure -j "$jobs" --timeout 600

step "i686 core"
configure build/win32 i686 -DVEMORA_CORE_ONLY=ON
cmake --build build/win32 -j "$jobs"
dll=build/win32/src/entry/vemora_stand_in.dll
if [[ -f build/win32-full/build.ninja ]]; then
  # scripts/windows-full.sh has built Qt for Windows here: check the real library.
  cmake --build build/win32-full --target libvemora -j "$jobs"
  dll=build/win32-full/src/entry/vemora.dll
else
  echo "windows: no Qt for Windows here; checking the export on the stand-in DLL"
fi

step "i686 export of $(basename "$dll")"
objdump=i686-w64-mingw32-objdump
exports=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  awk '/\[ *[0-9]+\]/ {print $NF}')
if [[ "$exports" != "ShowVemora" ]]; then
  echo "windows: $dll must export exactly ShowVemora, not:" >&2
  echo "$exports" >&2
  exit 1
fi
# The exported name is undecorated; the code is the stdcall entry, which pops its 32 bytes
# of arguments on every way out.
returns=$("$objdump" -d --disassemble='_ShowVemora@32' "$dll" | grep -E '\sret' || true)
if [[ -z $returns ]] || grep -qv 'ret    \$0x20' <<<"$returns"; then
  echo "windows: ShowVemora is not stdcall with 32 bytes of arguments:" >&2
  echo "${returns:-(no code found for _ShowVemora@32)}" >&2
  exit 1
fi

step "done"
