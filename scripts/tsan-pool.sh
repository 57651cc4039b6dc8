#!/usr/bin/env bash
# Builds the memory tests with ThreadSanitizer (build/tsan) and runs those of the pool and its lock.
# Usage: scripts/tsan-pool.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/tsan
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMELVORO_BENCH=OFF \
        -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
        -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
fi
cmake --build "$build" -j 2 --target test_memory
# The reference host's service table is read by the pool's look-ups on other threads while a test
# offers a service: that race belongs to the host context, not to the pool, and is left out here.
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
printf '%s\n' 'race:VelHostContext::findService' 'race:VelHostContext::addService' \
    'race:QHashData::rehash' >"$suppressions"
TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$suppressions" \
    "$build/tests/memory/test_memory" \
    --gtest_filter='MemoryLock.*:MemoryPool*:MemoryBucketPool*:MemorySizeClass*'
