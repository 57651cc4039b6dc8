#pragma once
// The module-wide state behind poolAllocate and poolRelease, shared with the pool class: the pool lock,
// the current pool and whether the module is growing one of its pool's arrays.

#include "memory/bucketpool.h"
#include "platform/lock.h"

#include <cstdint>

// The size class of a pooled byte count (0 .. largest pooled size): its index and capacity. Sizes up
// to the linear limit go in steps of the granularity (0 shares the first class); above it every class
// doubles the one before.
inline void velPooledSizeClass(int32_t size, int32_t* index, int32_t* capacity) {
    static_assert(BucketMemoryPool::kGranularity == 4, "the linear classes are sizes rounded up to 4");
    static_assert(BucketMemoryPool::kLinearLimit == 8192, "the doubling classes start above 8192 = 2^13");
    if (size <= BucketMemoryPool::kLinearLimit) {
        const uint32_t i = uint32_t((size > 0 ? size : 1) - 1) >> 2;
        *index = int32_t(i);
        *capacity = int32_t((i + 1) << 2);
        return;
    }
    // 2^bits is the smallest power of two that holds size; 8192 = 2^13 is the last linear class.
#if defined(__GNUC__)
    const int bits = 32 - __builtin_clz(uint32_t(size - 1));
#else
    int bits = 14;
    while ((1 << bits) < size)
        ++bits;
#endif
    *index = (BucketMemoryPool::kLinearLimit - 1) / BucketMemoryPool::kGranularity + (bits - 13);
    *capacity = int32_t(1u << bits);
}

// Gives a pool block straight back to the heap of the module whose allocator its header names (a block
// whose header names none is left alone). Takes that allocator's lock, never the pool lock.
void velReleaseToOwner(void* block);

// The module's one pool lock: re-entrant, ready from load, never deleted.
extern VelLock velPoolLockInstance;
inline VelLock& velPoolLock() {
    return velPoolLockInstance;
}

// Makes `pool` the module's current pool (null: none) and records whether the module made it itself.
// The caller holds the pool lock and has already taken the module's reference on `pool`.
void velSetCurrentPool(BucketMemoryPool* pool, bool local);

// Tells the module where `pool`'s table of free stacks now lives, after the pool made or moved it (under
// the pool lock). Only the module's own current pool matters; any other pool is ignored.
void velPoolTableChanged(BucketMemoryPool* pool, Bucket** table, int32_t count);

// True while this module grows a pool table or a free stack (under the pool lock). Allocations that the
// growth itself causes on the same thread (the swap-out's file name, an out-of-memory message) then take
// fresh blocks from the heap and give them straight back, leaving the half-grown arrays alone.
extern int32_t velPoolGrowthDepth;
inline bool velPoolGrowing() {
    return velPoolGrowthDepth > 0;
}

class VelPoolGrowth {
public:
    VelPoolGrowth();
    ~VelPoolGrowth();
    VelPoolGrowth(const VelPoolGrowth&) = delete;
    VelPoolGrowth& operator=(const VelPoolGrowth&) = delete;
};
