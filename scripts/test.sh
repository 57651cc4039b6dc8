#!/usr/bin/env bash
# Builds and runs every test: once in an optimised build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Also checks formatting.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

bash scripts/format.sh --check

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure --timeout 300

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELVORO_SANITIZE=ON -DMELVORO_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
# Leak detection is on; tests/lsan.supp lists (and explains) the few leaks of Qt and system libraries.
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize -j "$jobs" --output-on-failure --timeout 600
