#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game. Without a display it
# plays headless and prints a summary. Extra arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target polity

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/polity --headless "$@"
fi
exec ./build/polity "$@"
