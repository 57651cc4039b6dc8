// The module of pool_bench: a shared library with its own hidden copy of the runtime, as every module
// carries one. Given the host context of the benchmark program (the host), it takes its blocks from the
// host's shared pool the way a loaded module does, and runs the workloads there.

#include "bench/poolworkloads.h"
#include "memory/bucketpool.h"
#include "runtime/hostcontext.h"

#define POOL_BENCH_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct ModulePool {
    static void* allocate(int32_t size, int32_t* capacity) { return poolAllocate(size, capacity); }
    static void release(void** block, int32_t capacity) { poolRelease(block, capacity); }
};

} // namespace

// Hands the module the host's context and makes its first allocation, which finds the host's pool.
// True when the module now uses the host's pool.
POOL_BENCH_EXPORT bool poolBenchModuleAttach(IVelHostContext* context) {
    velSetHostContext(context);
    int32_t capacity = 0;
    void* block = poolAllocate(1, &capacity);
    poolRelease(&block, capacity);
    return velCurrentPool() && !velPoolIsLocal();
}

POOL_BENCH_EXPORT void poolBenchModuleRun(int32_t workload, int32_t arg, int64_t n, uint32_t seed) {
    poolbench::run<ModulePool>(workload, arg, n, seed);
}
