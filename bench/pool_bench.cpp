// The bucket pool (poolAllocate + poolRelease, through the module's own pool and its lock) against
// malloc + free, in the same run, so the two can be compared as a ratio:
//   mixed sizes 1..512 bytes, one thread:  pool at most 1.0x malloc + free
//   fixed small sizes, one thread:         pool at most 1.5x
//   mixed sizes, two threads:              pool at most 4x
// Each iteration is one allocation and its release; the block is touched so that neither call can be
// left out. The working-set variants keep 64 blocks of mixed sizes alive and replace one of them per
// iteration, in a fixed pseudo-random order.
//
// The single-threaded rows run first, while the process has one thread: the C library and the pool lock
// then both skip their atomic instructions. The rows marked "in a threaded process" repeat them after
// the two-thread rows, as in a host with more than one thread, where every lock and unlock is atomic.

#include "memory/bucketpool.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Sizes 1..512 in a fixed pseudo-random order, the same for every run and thread.
const std::vector<int32_t>& mixedSizes() {
    static const std::vector<int32_t> sizes = [] {
        std::vector<int32_t> s(4096);
        uint32_t state = 12345;
        for (int32_t& size : s) {
            state = state * 1664525u + 1013904223u;
            size = int32_t(1 + (state >> 8) % 512);
        }
        return s;
    }();
    return sizes;
}

void BM_PoolFixed(benchmark::State& state) {
    const int32_t size = int32_t(state.range(0));
    for (auto _ : state) {
        int32_t capacity = 0;
        void* block = poolAllocate(size, &capacity);
        static_cast<char*>(block)[0] = 1;
        benchmark::DoNotOptimize(block);
        poolRelease(&block, capacity);
    }
}

void BM_MallocFixed(benchmark::State& state) {
    const size_t size = size_t(state.range(0));
    for (auto _ : state) {
        void* block = std::malloc(size);
        static_cast<char*>(block)[0] = 1;
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}

void BM_PoolMixed(benchmark::State& state) {
    const std::vector<int32_t>& sizes = mixedSizes();
    size_t i = size_t(state.thread_index()) * 997;
    for (auto _ : state) {
        const int32_t size = sizes[i++ & 4095];
        int32_t capacity = 0;
        void* block = poolAllocate(size, &capacity);
        static_cast<char*>(block)[0] = 1;
        benchmark::DoNotOptimize(block);
        poolRelease(&block, capacity);
    }
}

void BM_MallocMixed(benchmark::State& state) {
    const std::vector<int32_t>& sizes = mixedSizes();
    size_t i = size_t(state.thread_index()) * 997;
    for (auto _ : state) {
        const size_t size = size_t(sizes[i++ & 4095]);
        void* block = std::malloc(size);
        static_cast<char*>(block)[0] = 1;
        benchmark::DoNotOptimize(block);
        std::free(block);
    }
}

constexpr size_t kWorkingSet = 64;

void BM_PoolMixedWorkingSet(benchmark::State& state) {
    const std::vector<int32_t>& sizes = mixedSizes();
    void* blocks[kWorkingSet] = {};
    int32_t capacities[kWorkingSet] = {};
    size_t i = size_t(state.thread_index()) * 997;
    for (auto _ : state) {
        const size_t slot = size_t(sizes[(i * 7) & 4095]) % kWorkingSet;
        if (blocks[slot])
            poolRelease(&blocks[slot], capacities[slot]);
        blocks[slot] = poolAllocate(sizes[i++ & 4095], &capacities[slot]);
        static_cast<char*>(blocks[slot])[0] = 1;
        benchmark::DoNotOptimize(blocks[slot]);
    }
    for (size_t k = 0; k < kWorkingSet; ++k)
        if (blocks[k])
            poolRelease(&blocks[k], capacities[k]);
}

void BM_MallocMixedWorkingSet(benchmark::State& state) {
    const std::vector<int32_t>& sizes = mixedSizes();
    void* blocks[kWorkingSet] = {};
    size_t i = size_t(state.thread_index()) * 997;
    for (auto _ : state) {
        const size_t slot = size_t(sizes[(i * 7) & 4095]) % kWorkingSet;
        std::free(blocks[slot]);
        blocks[slot] = std::malloc(size_t(sizes[i++ & 4095]));
        static_cast<char*>(blocks[slot])[0] = 1;
        benchmark::DoNotOptimize(blocks[slot]);
    }
    for (void* b : blocks)
        std::free(b);
}

} // namespace

BENCHMARK(BM_PoolFixed)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128);
BENCHMARK(BM_MallocFixed)->Arg(8)->Arg(16)->Arg(32)->Arg(64)->Arg(128);
BENCHMARK(BM_PoolMixed);
BENCHMARK(BM_MallocMixed);
BENCHMARK(BM_PoolMixedWorkingSet);
BENCHMARK(BM_MallocMixedWorkingSet);
BENCHMARK(BM_PoolMixed)->Threads(2);
BENCHMARK(BM_MallocMixed)->Threads(2);
BENCHMARK(BM_PoolMixedWorkingSet)->Threads(2);
BENCHMARK(BM_MallocMixedWorkingSet)->Threads(2);
BENCHMARK(BM_PoolFixed)->Name("BM_PoolFixed in a threaded process")->Arg(16);
BENCHMARK(BM_MallocFixed)->Name("BM_MallocFixed in a threaded process")->Arg(16);
BENCHMARK(BM_PoolMixed)->Name("BM_PoolMixed in a threaded process");
BENCHMARK(BM_MallocMixed)->Name("BM_MallocMixed in a threaded process");

BENCHMARK_MAIN();
