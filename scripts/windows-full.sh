#!/usr/bin/env bash
# Builds the whole 32-bit Windows library (vemora.dll with its window) and the demo host as
# vemora-host.exe, and lists the DLLs a Windows host ships beside them. Not part of CI: it
# first cross-builds Qt (Core, Gui, Widgets, PrintSupport and the windows platform plugin)
# from Debian's qt6-base source, the same version as the host's Qt whose tools the cross
# build uses; that takes the better part of an hour on two cores and is reused afterwards.
#
#   scripts/windows-full.sh         results in build/win32-full/out
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
start=$(date +%s)
step() { echo "=== $* ($(($(date +%s) - start)) s)"; }

triple=i686-w64-mingw32
toolchain=$root/cmake/mingw-i686.cmake
cross=$root/build/cross
qt_prefix=$cross/$triple/qt6
jobs=$(nproc)

scripts/install-deps.sh --windows >/dev/null
step "image libraries"
scripts/cross-deps.sh i686

if [[ ! -f $qt_prefix/.complete ]]; then
  step "Qt for Windows"
  scripts/cross-deps.sh --source qt6-base
  qt_src=$(find "$cross/src" -maxdepth 1 -type d -name 'qtbase-*' -o -maxdepth 1 -type d -name 'qt6-base-*' | sort | tail -1)
  qt_build=$cross/build-qt-$triple
  # Debian's source lacks the tablet sources; the database, network and OpenGL modules are
  # not needed by the window (without OpenGL, 6.4's windows plugin needs dynamicgl off too).
  cmake -S "$qt_src" -B "$qt_build" -G Ninja -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_testlib=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF >"$cross/qt-configure.log"
  cmake --build "$qt_build" -j "$jobs"
  cmake --install "$qt_build" >/dev/null
  touch "$qt_prefix/.complete"
fi

step "vemora.dll and vemora-host.exe"
build=$root/build/win32-full
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEMORA_WERROR=ON -DVEMORA_BUILD_TESTS=OFF \
  -DCMAKE_PREFIX_PATH="$qt_prefix" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$build" --target libvemora vemora-host -j "$jobs"

out=$build/out
rm -rf "$out"
mkdir -p "$out/platforms"
cp "$build/src/entry/vemora.dll" "$build/apps/vemora-host/vemora-host.exe" "$out/"
cp -r "$build/src/entry/help" "$out/"  # the help pages live beside the DLL
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$out/platforms/"
# Qt's German texts (buttons of message boxes and file dialogs); the translation files are the
# same on every system, so Debian's serve.
mkdir -p "$out/translations"
cp /usr/share/qt6/translations/qtbase_de.qm "$out/translations/"

# The DLLs to ship: everything the library, the host and the platform plugin import,
# transitively, that is not part of Windows itself.
search=("$qt_prefix/bin" "$(dirname "$("$triple-g++-posix" -print-libgcc-file-name)")" /usr/$triple/lib)
imports() { "$triple-objdump" -p "$1" | awk '/DLL Name:/ {print $3}'; }
find_dll() {
  local dir
  for dir in "${search[@]}"; do
    [[ -f $dir/$1 ]] && { echo "$dir/$1"; return 0; }
  done
  return 0
}
queue=("$out/vemora.dll" "$out/vemora-host.exe" "$out/platforms/qwindows.dll")
declare -A shipped=()
while ((${#queue[@]})); do
  file=${queue[0]}
  queue=("${queue[@]:1}")
  while read -r dll; do
    [[ -n ${shipped[$dll]:-} || $dll == vemora.dll ]] && continue
    path=$(find_dll "$dll")
    [[ -z $path ]] && continue # a Windows system DLL
    shipped[$dll]=1
    cp "$path" "$out/"
    queue+=("$out/$dll")
  done < <(imports "$file")
done

step "done"
echo "Ship beside the host (from $out):"
echo "  vemora.dll"
printf '  %s\n' "${!shipped[@]}" | sort
echo "  platforms/qwindows.dll"
echo "  translations/qtbase_de.qm"
echo "Exports of vemora.dll:"
"$triple-objdump" -p "$out/vemora.dll" | sed -n '/Ordinal\/Name Pointer/,/^$/p'
