#!/usr/bin/env bash
# Builds the style module and the gallery (Release, build/release; with MELVORO_QT=6 against Qt 6 in
# build/qt6) and runs the gallery: in a window when there is a display, otherwise rendered to
# build/gallery.png. Extra arguments go to the gallery.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

build=build/release
[ "${MELVORO_QT:-5}" = 6 ] && build=build/qt6
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_QT="${MELVORO_QT:-5}" >/dev/null
cmake --build "$build" -j "$jobs" --target melvoroGUIComponent gallery melvorostyleplugin

gallery=$build/apps/gallery/gallery
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$gallery" "$@"
fi
shot=build/gallery.png
QT_QPA_PLATFORM=offscreen "$gallery" --screenshot "$shot" "$@"
echo "No display: the gallery was rendered to $(pwd)/$shot"
