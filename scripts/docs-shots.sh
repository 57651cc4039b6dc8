#!/usr/bin/env bash
# Screenshots of the gallery's application page for docs/application-mode.md: the module's application
# mode, the same page with Breeze, Kvantum and Fusion, and application mode at a screen scale of 2. All
# off screen, at one window size. Run as root it installs Breeze and Kvantum first. Not part of CI.
# Usage: bash scripts/docs-shots.sh [build dir]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if [ "$(id -u)" = 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends kde-style-breeze \
        qt5-style-kvantum >/dev/null
fi
cmake --build "$build" --target gallery melvoroGUIComponent
gallery=$build/apps/gallery/gallery
export QT_QPA_PLATFORM=offscreen
shot() {
    local out=$1
    shift
    "$gallery" --screenshot "docs/$out" "$@" 2>/dev/null >/dev/null
    echo "docs-shots: wrote docs/$out"
}
shot application-melvoro.png --mode application
for style in Breeze kvantum Fusion; do
    name=$(echo "$style" | tr '[:upper:]' '[:lower:]')
    if "$gallery" --help >/dev/null && QT_QPA_PLATFORM=offscreen "$gallery" --style "$style" \
        --screenshot /dev/null 2>&1 | grep -q 'no installed style'; then
        echo "docs-shots: style $style is not installed, docs/application-$name.png kept" >&2
        continue
    fi
    shot "application-$name.png" --style "$style"
done
QT_SCALE_FACTOR=2 shot application-melvoro-scale2.png --mode application
