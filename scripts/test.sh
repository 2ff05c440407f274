#!/usr/bin/env bash
# Builds the project and runs every test, against a scratch PostgreSQL server that lives
# for the run only.
#
#   scripts/test.sh            g++, warnings as errors              (folder build/gcc)
#   scripts/test.sh clang-asan clang with AddressSanitizer and UBSan (folder build/clang-asan)
#
# Installs missing Debian packages first (scripts/install-deps.sh). Exits non-zero on any
# failure, a skipped PostgreSQL case included.
set -euo pipefail

config=${1:-gcc}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh

case "$config" in
  gcc)
    export CC=gcc CXX=g++
    cmake_flags=()
    ;;
  clang-asan)
    export CC=clang CXX=clang++
    cmake_flags=(-DVEMORA_SANITIZE=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
    export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  *)
    echo "usage: $0 [gcc|clang-asan]" >&2
    exit 2
    ;;
esac

build="build/$config"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMORA_WERROR=ON \
  "${cmake_flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

# The exported surface of the library is one function.
exports=$(nm -D --defined-only "$build/src/entry/libvemora.so" | awk '{print $3}')
if [[ "$exports" != "ShowVemora" ]]; then
  echo "libvemora exports more than ShowVemora:" >&2
  echo "$exports" >&2
  exit 1
fi

pg_dir=$(mktemp -d /tmp/vemora-pg.XXXXXX)
stop_server() { scripts/pg-test-server.sh stop "$pg_dir" || true; rm -rf "$pg_dir"; }
trap stop_server EXIT
VEMORA_PG_CONNINFO=$(scripts/pg-test-server.sh start "$pg_dir")
export VEMORA_PG_CONNINFO VEMORA_PG_REQUIRED=1 QT_QPA_PLATFORM=offscreen

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
