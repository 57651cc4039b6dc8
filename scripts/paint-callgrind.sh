#!/usr/bin/env bash
# Counts the instructions of one repaint of the gallery under callgrind for each style, all at the same
# sizes in one run, and prints them as a table with the ratios:
#   melvoro-app / fusion: application mode on the panel with the application page (target at most 1.0)
#   melvoro / windows:    host mode on the plain gallery panel (about 0.6; must not grow)
# and the share of the style's look-colour asks in host mode (target under 2%). Styles are paint_bench's
# names (default: melvoro, melvoro-app, windows, fusion, breeze, kvantum); one that is not installed is
# reported as skipped. With --wall it also runs paint_bench's wall-time repetitions (5) on the same styles
# and prints their medians (bench/paint_table.py).
# Usage: scripts/paint-callgrind.sh [build dir, default build/release] [--styles=a,b,...] [--wall]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
styles=melvoro,melvoro-app,windows,fusion,breeze,kvantum
wall=0
for arg in "$@"; do
    case $arg in
    --styles=*) styles=${arg#--styles=} ;;
    --wall) wall=1 ;;
    -*)
        echo "usage: $0 [build dir] [--styles=a,b,...] [--wall]" >&2
        exit 2
        ;;
    *) build=$arg ;;
    esac
done
jobs=$(nproc)
for tool in valgrind callgrind_annotate; do
    command -v "$tool" >/dev/null || { echo "paint-callgrind: $tool is not installed (apt-get install valgrind)" >&2; exit 1; }
done

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_BENCH=ON >/dev/null
fi
cmake --build "$build" -j "$jobs" --target paint_bench
bench=$build/bench/paint_bench
[ -x "$bench" ] || bench=$(find "$build" -name paint_bench -type f -perm -u+x | head -n 1)
out=$build/callgrind
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

# One size per scene for every style, fixed before the first run.
sizes=$("$bench" --sizes --styles="$styles" 2>/dev/null | tail -n 1)
echo "scene sizes: $sizes"

# Inclusive cost of a function in a callgrind file (callgrind_annotate lists a function once per
# debug-info source: take the largest).
inclusive() {
    callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
        awk -v pat="$2" 'index($0, pat) { gsub(",", "", $1); if ($1 + 0 > max) max = $1 + 0 } END { print max + 0 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a > 0 && b > 0) printf "%.3f", a / b; else print "n/a" }'; }
# A count with thousands separators, or a dash for none.
cell() { if [ "${1:-0}" -gt 0 ]; then sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$1"; else printf -- "—"; fi; }

declare -A cost
measured=()
skipped=()
IFS=, read -r -a names <<<"$styles"
for style in "${names[@]}"; do
    file=$out/callgrind.$style.out
    log=$out/valgrind.$style.log
    rc=0
    # shellcheck disable=SC2086 # the sizes are two options
    valgrind --tool=callgrind --callgrind-out-file="$file" --collect-atstart=no \
        --toggle-collect=melvoro_profiled_repaint "$bench" --profile="$style" $sizes >"$out/profile.$style.log" \
        2>"$log" || rc=$?
    if [ "$rc" -eq 3 ]; then
        skipped+=("$style")
        continue
    fi
    if [ "$rc" -ne 0 ]; then
        echo "paint-callgrind: $style failed (exit $rc), see $log and $out/profile.$style.log" >&2
        exit 1
    fi
    measured+=("$style")
    for part in window menu app_window app_page app_menu; do
        cost[$style.$part]=$(inclusive "$file" "melvoro_profiled_$part")
    done
    cost[$style.host]=$((cost[$style.window] + cost[$style.menu]))
    cost[$style.app]=$((cost[$style.app_window] + cost[$style.app_menu]))
done

echo
echo "Instructions, one repaint ($sizes):"
echo
echo "| Style | Panel: window | menu | window + menu | App page panel: window | page alone | menu | window + menu |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
for style in "${measured[@]}"; do
    row="| $style"
    for part in window menu host app_window app_page app_menu app; do
        row+=" | $(cell "${cost[$style.$part]}")"
    done
    echo "$row |"
done
for style in "${skipped[@]}"; do
    echo "| $style | not installed: skipped |||||||"
done

value() { echo "${cost[$1]:-0}"; }
echo
echo "melvoro-app / fusion: $(ratio "$(value melvoro-app.app)" "$(value fusion.app)") (target <= 1.0;" \
    "window $(ratio "$(value melvoro-app.app_window)" "$(value fusion.app_window)")," \
    "page $(ratio "$(value melvoro-app.app_page)" "$(value fusion.app_page)")," \
    "menu $(ratio "$(value melvoro-app.app_menu)" "$(value fusion.app_menu)"))"
for other in windows breeze kvantum; do
    if [ "$(value "$other.app")" -gt 0 ]; then
        echo "melvoro-app / $other: $(ratio "$(value melvoro-app.app)" "$(value "$other.app")")" \
            "(page $(ratio "$(value melvoro-app.app_page)" "$(value "$other.app_page")"))"
    fi
done
echo "melvoro / windows: $(ratio "$(value melvoro.host)" "$(value windows.host)") (about 0.6, must not grow;" \
    "window $(ratio "$(value melvoro.window)" "$(value windows.window)")," \
    "menu $(ratio "$(value melvoro.menu)" "$(value windows.menu)"))"
echo "melvoro / fusion:  $(ratio "$(value melvoro.host)" "$(value fusion.host)")"

# The eight colour asks of drawControl in host mode, the look service's answers and the style's drawControl.
percent() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f%%", 100 * a / b; else print "n/a" }'; }
profile=$out/callgrind.melvoro.out
if [ "$(value melvoro.host)" -gt 0 ]; then
    asks=$(inclusive "$profile" "MelvoroStyle::askLookColors(")
    answers=$(inclusive "$profile" "VelHostLook::answer(")
    controls=$(inclusive "$profile" "MelvoroStyle::drawControl(")
    # Calls of askLookColors: callgrind names a function in full once, as "(id) name", then by "(id)" alone.
    calls=$(awk '
        /askLookColors/ && match($0, /^c?fn=\([0-9]+\)/) { id = substr($0, index($0, "(")); sub(/\).*/, ")", id) }
        id != "" && index($0, "cfn=" id) == 1 { getline; if ($1 ~ /^calls=/) { sub("calls=", "", $1); n += $1 } }
        END { print n + 0 }' "$profile")
    echo "host mode look-colour asks (askLookColors, inclusive): $asks instructions in $calls calls"
    echo "  share of the repaint with the style: $(percent "$asks" "$(value melvoro.host)") (target < 2%)"
    echo "  share of the style's drawControl:    $(percent "$asks" "$controls")"
    echo "  of which the look service answers:   $answers instructions"
fi
echo "callgrind files: $out/callgrind.STYLE.out (callgrind_annotate --inclusive=yes FILE)"

if [ "$wall" -eq 1 ]; then
    echo
    json=$out/paint-wall.json
    # shellcheck disable=SC2086
    "$bench" --styles="$styles" $sizes --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_out="$json" --benchmark_out_format=json >/dev/null 2>"$out/paint-wall.log"
    echo "Wall time, medians of 5 repetitions ($sizes):"
    echo
    python3 bench/paint_table.py "$json" real_time
    echo
    echo "CPU time, medians of 5 repetitions:"
    echo
    python3 bench/paint_table.py "$json" cpu_time
fi
