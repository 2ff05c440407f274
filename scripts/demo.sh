#!/usr/bin/env bash
# Builds the project and opens the demo host on its own SQLite catalogue in ./vemora-demo,
# filled with sample images on the first run. Extra arguments go to vemora-host
# (see vemora-host --help). Without a display the window is drawn offscreen and a picture
# of it is saved to vemora-demo/window.png instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake -S . -B build/gcc -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/gcc -j "$(nproc)" --target vemora-host vemora

host=build/gcc/apps/vemora-host/vemora-host
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: drawing the window offscreen into vemora-demo/window.png"
  QT_QPA_PLATFORM=offscreen "$host" --folder vemora-demo --screenshot vemora-demo/window.png "$@"
else
  "$host" --folder vemora-demo "$@"
fi
