#!/usr/bin/env python3
"""Markdown table of a pool_bench run: the median of every row and its ratio to glibc in the same run.

    pool_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
               --benchmark_out=pool.json --benchmark_out_format=json
    bench/pool_table.py pool.json [cpu_time|real_time]
"""
import collections
import json
import sys

CONFIGS = ["glibc", "local", "shared", "mimalloc", "tcmalloc"]


def main():
    run = json.load(open(sys.argv[1]))
    key = sys.argv[2] if len(sys.argv) > 2 else "cpu_time"
    rows = collections.OrderedDict()
    for bench in run["benchmarks"]:
        if bench.get("aggregate_name") != "median":
            continue
        parts = bench["run_name"].split("/")
        if parts[-1].startswith("threads:"):
            parts.pop()
        config = parts.pop()
        rows.setdefault("/".join(parts), {})[config] = bench[key]
    shown = [c for c in CONFIGS if any(c in v for v in rows.values())]
    print("| Row | " + " | ".join(shown) + " |")
    print("|---|" + "---:|" * len(shown))
    for row, values in rows.items():
        glibc = values.get("glibc")
        cells = []
        for config in shown:
            if config not in values:
                cells.append("—")
            elif config == "glibc" or not glibc:
                cells.append("%.2f ns" % values[config])
            else:
                cells.append("%.2f ns (%.2fx)" % (values[config], values[config] / glibc))
        print("| " + row + " | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
