#pragma once
// The module-wide state behind poolAllocate and poolRelease, shared with the pool class: the pool lock,
// the current pool and whether the module is growing one of its pool's arrays.

#include "memory/bucketpool.h"
#include "platform/lock.h"

#include <cstdint>

// The size class of a pooled byte count (0 .. largest pooled size): its index and capacity.
inline void velPooledSizeClass(int32_t size, int32_t* index, int32_t* capacity) {
    if (size <= BucketMemoryPool::kLinearLimit) {
        const int32_t i = (size - 1) / BucketMemoryPool::kGranularity;
        *index = i;
        *capacity = (i + 1) * BucketMemoryPool::kGranularity;
        return;
    }
    int32_t i = (BucketMemoryPool::kLinearLimit - 1) / BucketMemoryPool::kGranularity;
    int32_t c = BucketMemoryPool::kLinearLimit;
    while (c < size) {
        c *= 2;
        ++i;
    }
    *index = i;
    *capacity = c;
}

// The module's one pool lock: re-entrant, ready from load, never deleted.
VelLock& velPoolLock();

// Makes `pool` the module's current pool (null: none) and records whether the module made it itself.
// The caller holds the pool lock and has already taken the module's reference on `pool`.
void velSetCurrentPool(BucketMemoryPool* pool, bool local);

// True while this module grows a pool table or a free stack (under the pool lock). Allocations that the
// growth itself causes on the same thread (the swap-out's file name, an out-of-memory message) then take
// fresh blocks from the heap and give them straight back, leaving the half-grown arrays alone.
bool velPoolGrowing();

class VelPoolGrowth {
public:
    VelPoolGrowth();
    ~VelPoolGrowth();
    VelPoolGrowth(const VelPoolGrowth&) = delete;
    VelPoolGrowth& operator=(const VelPoolGrowth&) = delete;
};
