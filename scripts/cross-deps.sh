#!/usr/bin/env bash
# Cross-builds the libraries the core needs on Windows (libjpeg-turbo, libpng, giflib,
# libtiff, and SQLite for the gateway tests) as static libraries from Debian's own source
# packages, into build/cross/<triple>. zlib comes from libz-mingw-w64-dev.
#
#   scripts/cross-deps.sh x86_64|i686
#   scripts/cross-deps.sh --source PACKAGE...   only fetch and unpack Debian source packages
#
# A finished prefix is reused. The sources are fetched once into build/cross/src through a
# private apt sources list and state folder, so the machine's own apt setup is never touched.
set -euo pipefail

arch=${1:-}
[[ $arch == --source ]] && shift
case "$arch" in
  --source) ;;
  x86_64) triple=x86_64-w64-mingw32 ;;
  i686) triple=i686-w64-mingw32 ;;
  *)
    echo "usage: $0 x86_64|i686 | --source PACKAGE..." >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
cross=$root/build/cross
jobs=$(nproc)
mkdir -p "$cross/src"

# --- sources (shared by both targets; the lock keeps two parallel runs apart) ---
fetch_sources() {
  local apt=$cross/apt
  local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
  local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root
    -o Acquire::Retries=3)
  {
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main"
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main"
  } >"$apt/sources.list"
  local packages=("$@")
  if ! { apt-get "${opts[@]}" update -qq &&
    (cd "$cross/src" && apt-get "${opts[@]}" source -qq "${packages[@]}"); }; then
    # The security mirror may lack its index or the files it names: bookworm's versions do.
    echo "cross-deps: security sources unavailable, using bookworm's versions"
    for package in "${packages[@]}"; do rm -rf "$cross/src/$package"[-_]*; done
    echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main" >"$apt/sources.list"
    apt-get "${opts[@]}" update -qq
    (cd "$cross/src" && apt-get "${opts[@]}" source -qq "${packages[@]}")
  fi
  for package in "$@"; do touch "$cross/src/.fetched-$package"; done
}

# SQLite's single-file form is generated with host tools (tclsh); it is the same for every
# target, so it is made once.
make_sqlite_amalgamation() {
  local dir
  dir=$(source_dir sqlite3)
  [[ -f $dir/sqlite3.c ]] && return
  mkdir -p "$dir/native"
  (cd "$dir/native" && ../configure -q >/dev/null && make -s -j "$jobs" sqlite3.c >/dev/null &&
    cp sqlite3.c sqlite3.h sqlite3ext.h ..)
}

source_dir() {
  find "$cross/src" -maxdepth 1 -type d -name "$1-*" | sort | tail -1
}

# Fetches what is not yet there, under a lock so that parallel runs share one download.
fetch_missing() {
  local missing=()
  for package in "$@"; do
    [[ -f $cross/src/.fetched-$package ]] || missing+=("$package")
  done
  ((${#missing[@]} == 0)) || fetch_sources "${missing[@]}"
}

if [[ $arch == --source ]]; then
  (
    flock 9
    fetch_missing "$@"
  ) 9>"$cross/src/.lock"
  exit 0
fi

prefix=$cross/$triple
toolchain=$root/cmake/mingw-$arch.cmake
if [[ -f $prefix/.complete ]]; then
  echo "cross-deps: $prefix is ready"
  exit 0
fi
mkdir -p "$prefix/lib" "$prefix/include"

(
  flock 9
  fetch_missing libjpeg-turbo libpng1.6 giflib tiff sqlite3
  make_sqlite_amalgamation
) 9>"$cross/src/.lock"

build=$cross/build-$triple
rm -rf "$build"
mkdir -p "$build"

cmake_configure() {
  local name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$build/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev "$@" >/dev/null
}

# libjpeg-turbo, with its SIMD code (nasm). Only the static library is built.
jpeg_src=$(source_dir libjpeg-turbo)
cmake_configure jpeg "$jpeg_src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
cmake --build "$build/jpeg" --target jpeg-static -j "$jobs" >/dev/null
cp "$build/jpeg/libjpeg.a" "$prefix/lib/"
cp "$build/jpeg/jconfig.h" "$jpeg_src"/{jpeglib.h,jmorecfg.h,jerror.h} "$prefix/include/"

# libpng
png_src=$(source_dir libpng1.6)
cmake_configure png "$png_src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF
cmake --build "$build/png" --target png_static -j "$jobs" >/dev/null
cp "$build/png/libpng16.a" "$prefix/lib/libpng16.a"
cp "$build/png/libpng16.a" "$prefix/lib/libpng.a"
cp "$png_src"/{png.h,pngconf.h} "$build/png/pnglibconf.h" "$prefix/include/"

# giflib has only a Makefile; its library is eight C files.
gif_src=$(source_dir giflib)
mkdir -p "$build/gif"
for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
  "$triple-gcc-posix" -O2 -c "$gif_src/$file.c" -o "$build/gif/$file.o"
done
"$triple-ar" rcs "$prefix/lib/libgif.a" "$build"/gif/*.o
cp "$gif_src/gif_lib.h" "$prefix/include/"

# libtiff with JPEG and deflate, nothing else.
tiff_src=$(source_dir tiff)
cmake_configure tiff "$tiff_src" -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
  -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF -Djpeg=ON -Dzlib=ON -Dold-jpeg=OFF -Djbig=OFF \
  -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=OFF
cmake --build "$build/tiff" --target tiff -j "$jobs" >/dev/null
cp "$build/tiff/libtiff/libtiff.a" "$prefix/lib/"
cp "$tiff_src"/libtiff/{tiff.h,tiffio.h,tiffvers.h} "$build/tiff/libtiff/tiffconf.h" "$prefix/include/"

# SQLite
sqlite_src=$(source_dir sqlite3)
mkdir -p "$build/sqlite"
"$triple-gcc-posix" -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
  -c "$sqlite_src/sqlite3.c" -o "$build/sqlite/sqlite3.o"
"$triple-ar" rcs "$prefix/lib/libsqlite3.a" "$build/sqlite/sqlite3.o"
cp "$sqlite_src"/{sqlite3.h,sqlite3ext.h} "$prefix/include/"

rm -rf "$build"
touch "$prefix/.complete"
echo "cross-deps: $prefix is ready"
