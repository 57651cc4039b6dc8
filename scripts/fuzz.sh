#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each from its committed corpus for a bounded time (30 s, or
# MELVORO_FUZZ_SECONDS). Fails on the first crash, leak, undefined behaviour, timeout or memory blow-up;
# the input that caused it is left in build/fuzz/artifacts/. New inputs the runs find go to a scratch
# folder, so the committed corpus stays as it is. Usage: scripts/fuzz.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${MELVORO_FUZZ_SECONDS:-30}
build=build/fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(pooledstring markers hashmap theme registry imagestore)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DMELVORO_FUZZ=ON -DMELVORO_TESTS=OFF \
    -DMELVORO_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzzers

mkdir -p "$build/artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in "${targets[@]}"; do
    echo "== fuzz_$target for ${seconds} s"
    mkdir -p "$scratch/$target"
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$scratch/$target" "tests/fuzz/corpus/$target" 2>"$scratch/$target.log" ||
        { tail -n 60 "$scratch/$target.log"; echo "fuzz_$target failed" >&2; exit 1; }
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$scratch/$target.log"
done
