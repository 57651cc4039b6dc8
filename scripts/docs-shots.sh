#!/usr/bin/env bash
# Every screenshot in docs/, in one command (not part of CI): the gallery in host mode (at scales 1 and 2,
# docs/gallery.md), its application page painted by the module and, at the same window size, by Breeze,
# Kvantum and Fusion, and at a screen scale of 2 (docs/application-mode.md), all off screen; then the dock
# widgets example pictures of scripts/docshots.sh when a virtual display and the example are at hand. Run
# as root it installs Breeze and Kvantum first.
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
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
shot() {
    local out=$1
    shift
    if QT_QPA_PLATFORM=offscreen "$gallery" --screenshot "docs/$out" "$@" >/dev/null 2>"$log"; then
        echo "docs-shots: wrote docs/$out"
    else
        echo "docs-shots: docs/$out not taken: $(grep '^gallery:' "$log" || tail -1 "$log")" >&2
        status=1
    fi
}
shot gallery.png
QT_SCALE_FACTOR=2 shot gallery-scale2.png
shot application-melvoro.png --mode application
shot application-breeze.png --style Breeze
shot application-kvantum.png --style kvantum
shot application-fusion.png --style Fusion
QT_SCALE_FACTOR=2 shot application-melvoro-scale2.png --mode application
if command -v xvfb-run >/dev/null && [ -x /usr/lib/x86_64-linux-gnu/qt5/examples/widgets/mainwindows/dockwidgets/dockwidgets ]; then
    bash scripts/docshots.sh "$build" || status=1
else
    echo "docs-shots: dock widgets pictures kept (scripts/docshots.sh needs xvfb-run and qtbase5-examples)" >&2
fi
exit $status
