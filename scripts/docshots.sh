#!/usr/bin/env bash
# Screenshots for docs/: Qt's stock dock widgets example with the style plug-in and with Fusion, in a light
# and a dark desktop scheme, each on its own virtual display. The dark scheme is a KDE colour scheme that
# the toolkit's desktop integration reads (as a user's dark desktop gives it).
# Usage: bash scripts/docshots.sh [build dir]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
example=/usr/lib/x86_64-linux-gnu/qt5/examples/widgets/mainwindows/dockwidgets/dockwidgets
[ -x "$example" ] || { echo "docshots: $example missing (apt-get install qtbase5-examples)" >&2; exit 1; }
cmake --build "$build" --target melvorostyleplugin velscreengrab
scheme=$(mktemp -d)
trap 'rm -rf "$scheme"' EXIT
cat > "$scheme/kdeglobals" <<'SCHEME'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=239,240,241
[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
SCHEME
export QT_PLUGIN_PATH="$PWD/$build/plugins"
for look in light dark; do
    for style in melvoro fusion; do
        out="docs/dockwidgets-$style-$look.png"
        env=()
        [ "$look" = dark ] && env=(XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$scheme")
        env "${env[@]}" xvfb-run -a -s "-screen 0 1400x1000x24" sh -c \
            "'$example' -style $style & pid=\$!; '$build/host/velscreengrab' '$out' 2500; s=\$?; kill \$pid; exit \$s"
        echo "docshots: wrote $out"
    done
done
