#pragma once
// Guarded allocation of arrays, counted in elements. Neither call hands back a failed allocation:
// they retry, ask the host's memory manager, shrink, swap out to disk, and as a last means end the process.

#include <cstdint>

// Stores a new block of elementSize x count bytes in *block and returns count.
int32_t zalMalloc(void** block, int32_t elementSize, int32_t count);

// Resizes *block to hold between minCount and maxCount elements (maxCount -1: equal to minCount),
// zero-filling the elements beyond curCount; returns the count it now holds.
int32_t zalRealloc(void** block, int32_t elementSize, int32_t curCount, int32_t minCount, int32_t maxCount);

template <class T> int32_t zalMalloc(T** block, int32_t count) {
    return zalMalloc(reinterpret_cast<void**>(block), int32_t(sizeof(T)), count);
}
template <class T> int32_t zalRealloc(T** block, int32_t curCount, int32_t minCount, int32_t maxCount) {
    return zalRealloc(reinterpret_cast<void**>(block), int32_t(sizeof(T)), curCount, minCount, maxCount);
}
