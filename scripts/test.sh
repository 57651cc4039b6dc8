#!/usr/bin/env bash
# Builds and runs every test: once in an optimised build, once under AddressSanitizer and
# UndefinedBehaviorSanitizer, once in an optimised Qt 6 build. Also checks formatting.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# --quick: the optimised Qt 5 build and its tests only, for a fast local check; CI runs everything.
quick=0
[ "${1:-}" = "--quick" ] && quick=1

bash scripts/format.sh --check

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure --timeout 300
[ "$quick" = 1 ] && exit 0

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELVORO_SANITIZE=ON -DMELVORO_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
# Leak detection is on; tests/lsan.supp lists (and explains) the few leaks of Qt and system libraries.
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0:fast_unwind_on_malloc=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/sanitize -j "$jobs" --output-on-failure --timeout 600

# The optimised build and every test again, against Qt 6.
cmake -S . -B build/qt6 -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_QT=6
cmake --build build/qt6 -j "$jobs"
ctest --test-dir build/qt6 -j "$jobs" --output-on-failure --timeout 300

# The Qt-free runtime in 32 bits: with -m32 on Linux, and for 32-bit Windows (MinGW-w64) with its tests
# and the module's export check run under Wine, in a Wine prefix of the build tree's own.
cmake -S . -B build/rt32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_RUNTIME_ONLY=ON \
    -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i686.cmake
cmake --build build/rt32 -j "$jobs"
ctest --test-dir build/rt32 -j "$jobs" --output-on-failure --timeout 300
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release -DMELVORO_RUNTIME_ONLY=ON \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
cmake --build build/mingw -j "$jobs"
(
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX="$PWD/build/mingw/wineprefix"
    # The prefix is made once, before tests start Wine in parallel. Then one lasting Wine server (and the
    # Wine services, started here apart from any test's output) serves every test program.
    wineboot --init
    wineserver -w
    wineserver -p
    trap 'wineserver -k' EXIT
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ctest --test-dir build/mingw -j "$jobs" --output-on-failure --timeout 300
)

# Every fuzz target for about 30 s (clang + libFuzzer, see scripts/fuzz.sh).
bash scripts/fuzz.sh
