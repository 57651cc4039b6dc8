// The memory runtime's route to the C heap.

#include "memory/heaphook.h"

#include <cstdlib>

namespace {

void* cAllocate(std::size_t bytes) {
    return std::malloc(bytes);
}
void* cReallocate(void* block, std::size_t bytes) {
    return std::realloc(block, bytes);
}
void cRelease(void* block) {
    std::free(block);
}

} // namespace

VelHeapFunctions g_velHeap = {&cAllocate, &cReallocate, &cRelease};

VelHeapFunctions velSetHeapFunctions(const VelHeapFunctions* functions) {
    const VelHeapFunctions previous = g_velHeap;
    if (functions && functions->allocate && functions->reallocate && functions->release)
        g_velHeap = *functions;
    else
        g_velHeap = VelHeapFunctions{&cAllocate, &cReallocate, &cRelease};
    return previous;
}
