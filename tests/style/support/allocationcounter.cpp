#include "style/support/allocationcounter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

__attribute__((tls_model("initial-exec"))) thread_local int t_depth = 0;
__attribute__((tls_model("initial-exec"))) thread_local long t_count = 0;

inline void noteAllocation() {
    if (t_depth > 0)
        ++t_count;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));

namespace {
void onMalloc(const volatile void*, size_t) {
    noteAllocation();
}
void onFree(const volatile void*) {}
const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
} // namespace

#else

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);

void* malloc(size_t size) noexcept {
    noteAllocation();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
    noteAllocation();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) noexcept {
    noteAllocation();
    return __libc_realloc(block, size);
}
}

#endif

CountAllocations::CountAllocations() : m_start(t_count) {
    ++t_depth;
}

CountAllocations::~CountAllocations() {
    --t_depth;
}

long CountAllocations::count() const {
    return t_count - m_start;
}

bool allocationCountingWorks() {
    CountAllocations counting;
    // volatile keeps the pair from being optimised away.
    void* volatile block = std::malloc(24);
    std::free(block);
    int* volatile object = new int(7);
    delete object;
    return counting.count() >= 2;
}
