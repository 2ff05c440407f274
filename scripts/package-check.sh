#!/usr/bin/env bash
# Proves that an installed Vemora is usable by a host: builds the release once, installs it
# into a scratch prefix and builds and runs examples/minimal-host against it (offscreen);
# then builds the Debian package, installs it with apt-get, runs `vemora --help` and the
# example built against /usr, and removes the package again.
#
#   scripts/package-check.sh [BUILD-FOLDER]   (default build/release)
#
# Needs root (or sudo) for apt-get. A vemora package installed before the run is refused,
# so the machine is left as it was found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${1:-build/release}
start=$(date +%s)
say() { echo "package-check: $* ($(( $(date +%s) - start )) s)"; }

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
if dpkg-query -W -f='${Status}' vemora 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-check: a vemora package is installed already; remove it first" >&2
  exit 1
fi

scratch=$(mktemp -d /tmp/vemora-package.XXXXXX)
installed_deb=0
cleanup() {
  if ((installed_deb)); then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq vemora >/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen

# Runs the example host built in $1 on a fresh catalogue; it must show the window and close it.
run_example() {
  local work="$scratch/run-$(basename "$1")"
  mkdir -p "$work"
  (cd "$work" && "$1/minimal-host" catalogue.db settings --close-when-loaded) | tee "$work/out"
  grep -q '^Anzahl Bilder: 0' "$work/out"
  grep -q '^key: 0' "$work/out"
}

# A folder configured before (CI passes the test build) is reused as it is: installing
# and packaging need no second compile of the whole tree.
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  say "release build in $build"
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVEMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" -j "$(nproc)"

say "install into a scratch prefix"
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
if grep -rlE 'catalogue/|codec/|platform/|"ui/|sqlite/|postgres/' "$scratch/prefix/include"; then
  echo "package-check: an installed header includes a private one" >&2
  exit 1
fi
"$scratch/prefix/bin/vemora" --help >/dev/null
cmake -S examples/minimal-host -B "$scratch/example-prefix" -G Ninja \
  -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/example-prefix" >/dev/null
run_example "$scratch/example-prefix"
pkg-config --with-path="$(dirname "$(find "$scratch/prefix" -name vemora.pc)")" \
  --libs vemora-gateway-sqlite | grep -q -- "-lvemora-gateway-sqlite"

say "Debian package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(realpath "$build"/vemora_*_amd64.deb)
dpkg-deb --field "$deb" Depends
installed_deb=1
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null
vemora --help >/dev/null
cmake -S examples/minimal-host -B "$scratch/example-usr" -G Ninja >/dev/null
cmake --build "$scratch/example-usr" >/dev/null
run_example "$scratch/example-usr"

say "done"
