// Replacement operator new/delete that can be told to fail, for the out-of-memory paths of the frame.

#include "heapfailure.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// -1: allocations succeed. Otherwise the number of allocations still allowed before they fail.
std::atomic<int> g_allowed{-1};
std::atomic<int> g_refused{0};

bool mayAllocate() {
    int allowed = g_allowed.load();
    while (allowed >= 0) {
        if (allowed == 0) {
            ++g_refused;
            return false;
        }
        if (g_allowed.compare_exchange_weak(allowed, allowed - 1))
            return true;
    }
    return true;
}

void* allocate(std::size_t size) {
    if (!mayAllocate())
        return nullptr;
    return std::malloc(size ? size : 1);
}

} // namespace

HeapFailure::HeapFailure(int allowed) {
    g_refused = 0;
    g_allowed = allowed;
}

HeapFailure::~HeapFailure() {
    g_allowed = -1;
}

int HeapFailure::refused() {
    return g_refused.load();
}

void* operator new(std::size_t size) {
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    if (void* p = allocate(size))
        return p;
    throw std::bad_alloc();
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocate(size);
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
