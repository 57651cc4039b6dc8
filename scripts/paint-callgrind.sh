#!/usr/bin/env bash
# Counts the instructions of one repaint of the gallery window and its pop-up menu under callgrind, with
# the application style, the base "Windows" style and "Fusion", and prints the totals, the ratio to the
# "Windows" style (target: at most 1.2) and the share of the style's look-colour asks (target: under 2%).
# Usage: scripts/paint-callgrind.sh [build dir, default build/release]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
jobs=$(nproc)

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_BENCH=ON >/dev/null
fi
cmake --build "$build" -j "$jobs" --target paint_bench
bench=$build/bench/paint_bench
[ -x "$bench" ] || bench=$(find "$build" -name paint_bench -type f -perm -u+x | head -n 1)
out=$build/callgrind
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

declare -A total window menu
# Inclusive cost of a function in a callgrind file (callgrind_annotate lists a function once per
# debug-info source: take the largest).
inclusive() {
    callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
        awk -v pat="$2" 'index($0, pat) { gsub(",", "", $1); if ($1 + 0 > max) max = $1 + 0 } END { print max + 0 }'
}
for variant in melvoro windows fusion; do
    file=$out/callgrind.$variant.out
    valgrind --tool=callgrind --callgrind-out-file="$file" --collect-atstart=no \
        --toggle-collect=melvoro_profiled_repaint "$bench" --profile="$variant" >/dev/null 2>"$out/valgrind.$variant.log"
    total[$variant]=$(callgrind_annotate "$file" 2>/dev/null | awk '/PROGRAM TOTALS/ && !seen {gsub(",", "", $1); print $1; seen = 1}')
    window[$variant]=$(inclusive "$file" "melvoro_profiled_window")
    menu[$variant]=$(inclusive "$file" "melvoro_profiled_menu")
    printf '%-8s %12s instructions (window %12s, menu %10s)\n' "$variant" "${total[$variant]}" \
        "${window[$variant]}" "${menu[$variant]}"
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
echo "melvoro / windows: $(ratio "${total[melvoro]}" "${total[windows]}") (target <= 1.2;" \
    "window $(ratio "${window[melvoro]}" "${window[windows]}"), menu $(ratio "${menu[melvoro]}" "${menu[windows]}"))"
echo "melvoro / fusion:  $(ratio "${total[melvoro]}" "${total[fusion]}")"

# The eight colour asks of drawControl, the look service's answers and the style's drawControl.
percent() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f%%", 100 * a / b; else print "n/a" }'; }
profile=$out/callgrind.melvoro.out
asks=$(inclusive "$profile" "MelvoroStyle::askLookColors(")
answers=$(inclusive "$profile" "VelHostLook::answer(")
controls=$(inclusive "$profile" "MelvoroStyle::drawControl(")
# Calls of askLookColors: callgrind names a function in full once, as "(id) name", then by "(id)" alone.
calls=$(awk '
    /askLookColors/ && match($0, /^c?fn=\([0-9]+\)/) { id = substr($0, index($0, "(")); sub(/\).*/, ")", id) }
    id != "" && index($0, "cfn=" id) == 1 { getline; if ($1 ~ /^calls=/) { sub("calls=", "", $1); n += $1 } }
    END { print n + 0 }' "$out/callgrind.melvoro.out")
echo "look-colour asks (askLookColors, inclusive): $asks instructions in $calls calls"
echo "  share of the repaint with the style: $(percent "$asks" "${total[melvoro]}") (target < 2%)"
echo "  share of the style's drawControl:    $(percent "$asks" "$controls")"
echo "  of which the look service answers:   $answers instructions"
echo "callgrind files: $out/callgrind.{melvoro,windows,fusion}.out"
