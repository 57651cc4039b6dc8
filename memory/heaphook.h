#pragma once
// The C heap as the memory runtime reaches it: every malloc, realloc and free of the guarded allocator
// and of the bucket pool goes through these replaceable function pointers, so that a test can make
// chosen calls fail. They start out as the C heap's own functions.

#include <cstddef>

struct VelHeapFunctions {
    void* (*allocate)(std::size_t bytes);
    void* (*reallocate)(void* block, std::size_t bytes);
    void (*release)(void* block);
};

// The functions in use. Reading them takes no lock: replace them only while no other thread allocates.
extern VelHeapFunctions g_velHeap;

// Installs other functions (null restores the C heap) and returns the ones that were in use.
VelHeapFunctions velSetHeapFunctions(const VelHeapFunctions* functions);

inline void* velHeapAllocate(std::size_t bytes) {
    return g_velHeap.allocate(bytes);
}
inline void* velHeapReallocate(void* block, std::size_t bytes) {
    return g_velHeap.reallocate(block, bytes);
}
inline void velHeapRelease(void* block) {
    g_velHeap.release(block);
}
