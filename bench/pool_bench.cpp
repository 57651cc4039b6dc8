// The bucket pool against the C heap, in one run and one process, as ratios:
//   local   the module's own pool (poolAllocate + poolRelease of this program's copy of the runtime)
//   shared  the host's shared pool as a module uses it: this program plays the host and offers its pool
//           as "IBucketMemoryPool"; pool_bench_module, a shared library with its own hidden copy of the
//           runtime, finds it and runs the same workloads through it
//   glibc   malloc + free
//   mimalloc, tcmalloc  mi_malloc + mi_free, tc_malloc + tc_free, loaded with dlopen where installed
//           (their libraries would otherwise take over the process's malloc)
// Workloads (poolworkloads.h): fixed sizes 8 to 128, mixed sizes 1..512, a ring of 1000 live blocks,
// the block traffic of pooled texts; one allocate + release pair (one text round) per iteration.
//
// Rows run in this order: one thread, while the process has only one; the same in a threaded process
// (a second thread has been started and has ended, as in any real host); two threads at once; and one
// thread again after that, once the two threads have met on the pool lock.

#include "bench/poolworkloads.h"
#include "host/hostcontext.h"
#include "host/sharedpool.h"
#include "memory/bucketpool.h"
#include "memory/poolstate.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

extern "C" bool poolBenchModuleAttach(IVelHostContext* context);
extern "C" void poolBenchModuleRun(int32_t workload, int32_t arg, int64_t n, uint32_t seed);

namespace {

using namespace poolbench;

using MallocFunction = void* (*)(size_t);
using FreeFunction = void (*)(void*);
MallocFunction g_miMalloc = nullptr;
FreeFunction g_miFree = nullptr;
MallocFunction g_tcMalloc = nullptr;
FreeFunction g_tcFree = nullptr;

struct LocalPool {
    static void* allocate(int32_t size, int32_t* capacity) { return poolAllocate(size, capacity); }
    static void release(void** block, int32_t capacity) { poolRelease(block, capacity); }
};
struct Glibc {
    static void* allocate(int32_t size, int32_t* capacity) {
        *capacity = size;
        return std::malloc(size_t(size));
    }
    static void release(void** block, int32_t) {
        std::free(*block);
        *block = nullptr;
    }
};
struct Mimalloc {
    static void* allocate(int32_t size, int32_t* capacity) {
        *capacity = size;
        return g_miMalloc(size_t(size));
    }
    static void release(void** block, int32_t) {
        g_miFree(*block);
        *block = nullptr;
    }
};
struct Tcmalloc {
    static void* allocate(int32_t size, int32_t* capacity) {
        *capacity = size;
        return g_tcMalloc(size_t(size));
    }
    static void release(void** block, int32_t) {
        g_tcFree(*block);
        *block = nullptr;
    }
};

enum Config { kGlibc, kLocal, kShared, kMimalloc, kTcmalloc };
const char* const kConfigNames[] = {"glibc", "local", "shared", "mimalloc", "tcmalloc"};

void runConfig(Config config, int32_t workload, int32_t arg, int64_t n, uint32_t seed) {
    switch (config) {
    case kGlibc:
        return run<Glibc>(workload, arg, n, seed);
    case kLocal:
        return run<LocalPool>(workload, arg, n, seed);
    case kShared:
        return poolBenchModuleRun(workload, arg, n, seed);
    case kMimalloc:
        return run<Mimalloc>(workload, arg, n, seed);
    case kTcmalloc:
        return run<Tcmalloc>(workload, arg, n, seed);
    }
}

constexpr int64_t kBatch = 1000;

void measure(benchmark::State& state, Config config, int32_t workload, int32_t arg) {
    uint32_t seed = uint32_t(state.thread_index()) * 997u;
    while (state.KeepRunningBatch(kBatch)) {
        runConfig(config, workload, arg, kBatch, seed);
        seed += uint32_t(kBatch);
    }
    if (workload == kRing)
        runConfig(config, kRing, 0, 0, seed);
}

// Loads one allocator's explicit entries without letting it replace the process's malloc.
template <class M, class F>
bool loadAllocator(const char* library, const char* mallocName, const char* freeName, M* m, F* f) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    *m = reinterpret_cast<M>(dlsym(handle, mallocName));
    *f = reinterpret_cast<F>(dlsym(handle, freeName));
    return *m && *f;
}

// The library that the process's malloc comes from.
std::string mallocOwner() {
    Dl_info info{};
    void* entry = dlsym(RTLD_DEFAULT, "malloc");
    if (entry && dladdr(entry, &info) && info.dli_fname)
        return info.dli_fname;
    return "?";
}

void startAndEndAThread() {
    static const bool done = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)done;
}

struct Row {
    const char* workload;
    int32_t id;
    int32_t arg;
};

} // namespace

int main(int argc, char** argv) {
    // The host: its context offers the pool of this program's runtime; the module finds it there.
    static VelHostContext context;
    velOfferSharedPool(context);
    if (!poolBenchModuleAttach(&context)) {
        std::fprintf(stderr, "pool_bench: the module did not take the host's shared pool\n");
        return 1;
    }
    std::vector<Config> configs = {kGlibc, kLocal, kShared};
    if (loadAllocator("libmimalloc.so.2", "mi_malloc", "mi_free", &g_miMalloc, &g_miFree))
        configs.push_back(kMimalloc);
    if (loadAllocator("libtcmalloc_minimal.so.4", "tc_malloc", "tc_free", &g_tcMalloc, &g_tcFree))
        configs.push_back(kTcmalloc);
    benchmark::AddCustomContext("malloc", mallocOwner());
    benchmark::AddCustomContext("host pool lock",
                                velPoolLock().biased() ? "biased to this thread" : "not biased");
    benchmark::AddCustomContext("mimalloc", g_miMalloc ? "loaded" : "not installed");
    benchmark::AddCustomContext("tcmalloc", g_tcMalloc ? "loaded" : "not installed");

    const std::vector<Row> oneThread = {{"fixed/8", kFixed, 8},     {"fixed/16", kFixed, 16},
                                        {"fixed/32", kFixed, 32},   {"fixed/64", kFixed, 64},
                                        {"fixed/128", kFixed, 128}, {"mixed", kMixed, 0},
                                        {"ring", kRing, 0},         {"strings", kStrings, 0}};
    const std::vector<Row> threaded = {
        {"fixed/16", kFixed, 16}, {"mixed", kMixed, 0}, {"strings", kStrings, 0}};

    auto add = [&](const std::string& phase, const Row& row, int threads, bool startThread) {
        for (Config config : configs) {
            const std::string name = phase + "/" + row.workload + "/" + kConfigNames[config];
            auto* b = benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
                if (startThread)
                    startAndEndAThread();
                measure(state, config, row.id, row.arg);
            });
            if (threads > 1)
                b->Threads(threads);
        }
    };
    for (const Row& row : oneThread)
        add("one thread", row, 1, false);
    for (const Row& row : threaded)
        add("threaded process", row, 1, true);
    for (const Row& row : threaded)
        add("two threads", row, 2, false);
    for (const Row& row : threaded)
        add("after two threads", row, 1, false);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
