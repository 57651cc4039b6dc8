#!/usr/bin/env bash
# Builds the style module and the gallery (Release, build/release) and runs the gallery: in a window when
# there is a display, otherwise rendered to build/gallery.png. Extra arguments go to the gallery.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$jobs" --target melvoroGUIComponent gallery melvorostyleplugin

gallery=build/release/apps/gallery/gallery
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$gallery" "$@"
fi
shot=build/gallery.png
QT_QPA_PLATFORM=offscreen "$gallery" --screenshot "$shot" "$@"
echo "No display: the gallery was rendered to $(pwd)/$shot"
