#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs; packages already present are skipped,
# so running it twice costs nothing. With --bench it adds the peer tools the benchmarks
# compare against; with --windows the mingw cross compilers, wine and what the cross builds of
# the image libraries need (scripts/cross-deps.sh).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-translations-l10n libjpeg62-turbo-dev libtiff-dev zlib1g-dev libgif-dev libpng-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql
  libgtest-dev libgmock-dev libimage-exiftool-perl poppler-utils
  xvfb xauth dpkg-dev file
)
if [[ "${1:-}" == "--bench" ]]; then
  packages+=(libbenchmark-dev libexiv2-dev libvips-tools imagemagick libjpeg-turbo-progs libtiff-tools)
fi
if [[ "${1:-}" == "--windows" ]]; then
  packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev nasm
    wine64 wine dpkg-dev googletest binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 tcl)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
