#!/usr/bin/env python3
"""Markdown table of a paint_bench run: the median of every repaint per style, and the ratios of the
module's style to the toolkit's styles in the same run.

    paint_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
                --benchmark_out=paint.json --benchmark_out_format=json
    bench/paint_table.py paint.json [real_time|cpu_time]
"""
import collections
import json
import sys

# Columns: the benchmark's name before the style, and its heading.
PARTS = [
    ("PaintWindow", "Panel: window"),
    ("PaintMenu", "menu"),
    ("PaintAppWindow", "App page panel: window"),
    ("PaintAppPage", "page alone"),
    ("PaintAppMenu", "menu"),
]
# (numerator, denominator, their parts, what is said of the ratio)
RATIOS = [
    ("melvoro-app", "fusion", ["PaintAppWindow", "PaintAppMenu"], "target <= 1.0"),
    ("melvoro-app", "breeze", ["PaintAppWindow", "PaintAppMenu"], ""),
    ("melvoro-app", "kvantum", ["PaintAppWindow", "PaintAppMenu"], ""),
    ("melvoro-app", "windows", ["PaintAppWindow", "PaintAppMenu"], ""),
    ("melvoro", "windows", ["PaintWindow", "PaintMenu"], "host mode, about 0.6, must not grow"),
]
UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def shown(seconds):
    if seconds >= 1e-3:
        return "%.3f ms" % (seconds * 1e3)
    return "%.0f µs" % (seconds * 1e6)


def main():
    run = json.load(open(sys.argv[1]))
    key = sys.argv[2] if len(sys.argv) > 2 else "real_time"
    times = collections.OrderedDict()  # style -> part -> seconds
    for bench in run["benchmarks"]:
        if bench.get("aggregate_name") != "median":
            continue
        part, style = bench["run_name"].split("/", 1)
        times.setdefault(style, {})[part] = bench[key] * UNITS[bench.get("time_unit", "ns")]
    print("| Style | " + " | ".join(title for _, title in PARTS) + " |")
    print("|---|" + "---:|" * len(PARTS))
    for style, parts in times.items():
        cells = [shown(parts[p]) if p in parts else "—" for p, _ in PARTS]
        print("| " + style + " | " + " | ".join(cells) + " |")
    print()
    for numerator, denominator, parts, note in RATIOS:
        a, b = times.get(numerator, {}), times.get(denominator, {})
        if not all(p in a and p in b for p in parts):
            continue
        total = sum(a[p] for p in parts) / sum(b[p] for p in parts)
        each = ", ".join("%s %.2fx" % (p, a[p] / b[p]) for p in parts)
        print("- %s / %s: %.2fx (%s)%s" % (numerator, denominator, total, each, "; " + note if note else ""))
    if "melvoro-app" in times and "fusion" in times and "PaintAppPage" in times["fusion"]:
        page = times["melvoro-app"]["PaintAppPage"] / times["fusion"]["PaintAppPage"]
        print("- melvoro-app / fusion, the page alone: %.2fx" % page)


if __name__ == "__main__":
    main()
