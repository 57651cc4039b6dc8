// The bucket memory pool: one free stack per size class, handed out last-in first-out. Blocks carry one
// pointer-sized header word naming the allocator of the module that took them from the heap, so any
// module can give any block back to the right heap.

#include "memory/bucketpool.h"

#include "memory/heaphook.h"
#include "memory/poolstate.h"
#include "memory/zalrealloc.h"

#include <cstring>
#include <limits>
#include <new>
#include <utility>

namespace {

constexpr int32_t kHeaderBytes = int32_t(sizeof(void*));

// The module's allocator lives in static storage that is never torn down: blocks that other modules
// still hold name it in their headers until the process ends.
union AllocatorStorage {
    BucketMemoryAllocator allocator;
    constexpr AllocatorStorage() : allocator() {}
    ~AllocatorStorage() {}
};
AllocatorStorage g_allocatorStorage;

// A new block with `usable` bytes after its header; null when usable + header does not fit 32 bits.
void* freshBlock(int32_t usable) {
    if (usable < 0 || usable > std::numeric_limits<int32_t>::max() - kHeaderBytes)
        return nullptr;
    void* raw = nullptr;
    zalMalloc(&raw, 1, usable + kHeaderBytes);
    *static_cast<BucketMemoryAllocator**>(raw) = BucketMemoryAllocator::instance();
    return static_cast<char*>(raw) + kHeaderBytes;
}

// The count a growable array takes to reach index i: max(count, 1) doubled until it exceeds i.
int32_t grownCount(int32_t count, int32_t i) {
    int64_t n = count < 1 ? 1 : count;
    while (n <= i)
        n *= 2;
    return n > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max() : int32_t(n);
}

bool hasStandardParameters(int32_t granularity, int32_t linearLimit, int32_t largestPooled) {
    return granularity == BucketMemoryPool::kGranularity && linearLimit == BucketMemoryPool::kLinearLimit &&
           largestPooled == BucketMemoryPool::kLargestPooled;
}

} // namespace

void velReleaseToOwner(void* block) {
    void* header = static_cast<char*>(block) - kHeaderBytes;
    if (BucketMemoryAllocator* owner = *static_cast<BucketMemoryAllocator**>(header))
        owner->freeBlock(header);
}

// ---- BucketMemoryAllocator ----

BucketMemoryAllocator* BucketMemoryAllocator::instance() {
    return &g_allocatorStorage.allocator;
}

void BucketMemoryAllocator::freeBlock(void* header) {
    if (!header)
        return;
    VelLockGuard guard(velPoolLock());
    velHeapRelease(header);
}

// ---- BucketMemoryPool ----

BucketMemoryPool::BucketMemoryPool()
    : m_bucketCount(kInitialBuckets), m_buckets(nullptr), m_granularity(kGranularity),
      m_linearLimit(kLinearLimit), m_largestPooled(kLargestPooled) {
    zalMalloc(&m_buckets, kInitialBuckets);
    std::memset(m_buckets, 0, sizeof(Bucket*) * size_t(kInitialBuckets));

    // The new pool becomes the module's current pool. It takes over the free blocks of the pool that was
    // current, if that one has the same parameters, and the module lets go of the old one. The module
    // holds its reference on the new pool from here on, so the pool stays alive while it is current
    // whoever else holds or drops it.
    VelLockGuard guard(velPoolLock());
    BucketMemoryPool* old = velCurrentPool();
    addRef();
    velSetCurrentPool(this, true);
    if (old && old != this) {
        if (hasStandardParameters(old->m_granularity, old->m_linearLimit, old->m_largestPooled)) {
            std::swap(m_bucketCount, old->m_bucketCount);
            std::swap(m_buckets, old->m_buckets);
        }
        old->release();
    }
    velPoolTableChanged(this, m_buckets, m_bucketCount);
}

BucketMemoryPool::~BucketMemoryPool() {
    {
        // A pool that goes while it is still current leaves the module without one, never with a
        // dangling one.
        VelLockGuard guard(velPoolLock());
        if (velCurrentPool() == this)
            velSetCurrentPool(nullptr, false);
    }
    releaseAll();
    velHeapRelease(m_buckets);
    m_buckets = nullptr;
    m_bucketCount = 0;
}

bool BucketMemoryPool::queryInterface(const char* name, void* outOrWalk, int32_t) {
    if (velCheckClass(name, outOrWalk, "BucketMemoryPool", static_cast<BucketMemoryPool*>(this), this))
        return true;
    return velCheckInterface(name, outOrWalk, "IBucketMemoryPool", static_cast<IBucketMemoryPool*>(this));
}

bool BucketMemoryPool::sizeClass(int32_t size, int32_t* index, int32_t* capacity) {
    if (size < 0 || size > kLargestPooled)
        return false;
    int32_t i = 0;
    int32_t c = 0;
    velPooledSizeClass(size, &i, &c);
    if (index)
        *index = i;
    if (capacity)
        *capacity = c;
    return true;
}

Bucket* BucketMemoryPool::bucketFor(int32_t index) {
    if (index < 0)
        return nullptr;
    if (!m_buckets) {
        VelPoolGrowth growth;
        const int32_t count = grownCount(kInitialBuckets, index);
        zalMalloc(&m_buckets, count);
        std::memset(m_buckets, 0, sizeof(Bucket*) * size_t(count));
        m_bucketCount = count;
        velPoolTableChanged(this, m_buckets, m_bucketCount);
    } else if (index >= m_bucketCount) {
        VelPoolGrowth growth;
        m_bucketCount = zalRealloc(&m_buckets, m_bucketCount, index + 1, grownCount(m_bucketCount, index));
        velPoolTableChanged(this, m_buckets, m_bucketCount);
    }
    return index < m_bucketCount ? m_buckets[index] : nullptr;
}

void BucketMemoryPool::push(Bucket* bucket, int32_t capacity, void* block) {
    const int32_t top = bucket->top + 1;
    if (top >= bucket->capacity) {
        VelPoolGrowth growth;
        bucket->capacity =
            zalRealloc(&bucket->entries, bucket->capacity, top + 1, grownCount(bucket->capacity, top));
        if (top >= bucket->capacity) {
            velReleaseToOwner(block);
            return;
        }
    }
    bucket->entries[top] = BucketEntry{capacity, block};
    bucket->top = top;
}

// allocate and deallocate run for every module of the process that uses this pool: the common case, a
// pooled size whose free stack has a block (or room for one more), is a pop (push) under the lock and
// nothing else, without a call on the way; everything else goes on out of line, in allocateHeld
// (deallocateHeld) when the lock is already held.
void* BucketMemoryPool::allocate(int32_t size, int32_t* capacityOut) {
    VelLock& lock = velPoolLock();
    if (uint32_t(size) <= uint32_t(kLargestPooled) && lock.lockQuick()) {
        int32_t index = 0;
        int32_t capacity = 0;
        velPooledSizeClass(size, &index, &capacity);
        if (index < m_bucketCount && !velPoolGrowing()) {
            Bucket* bucket = m_buckets[index];
            if (bucket && bucket->top > 0) {
                BucketEntry& entry = bucket->entries[bucket->top];
                if (void* block = entry.block) {
                    --bucket->top;
                    if (capacityOut)
                        *capacityOut = entry.capacity;
                    if (lock.unlockQuick())
                        return block;
                    return lock.wakeAfterUnlock(block);
                }
            }
        }
        return allocateHeld(size, capacityOut);
    }
    return allocateSlow(size, capacityOut);
}

void* BucketMemoryPool::allocateHeld(int32_t size, int32_t* capacityOut) {
    void* block = allocateSlow(size, capacityOut);
    velPoolLock().unlock();
    return block;
}

void* BucketMemoryPool::allocateSlow(int32_t size, int32_t* capacityOut) {
    if (capacityOut)
        *capacityOut = 0;
    if (size < 0)
        return nullptr;

    VelLockGuard guard(velPoolLock());
    int32_t index = 0;
    int32_t capacity = size;
    if (sizeClass(size, &index, &capacity) && !velPoolGrowing()) {
        if (Bucket* bucket = bucketFor(index)) {
            while (bucket->top > 0) {
                BucketEntry& entry = bucket->entries[bucket->top];
                --bucket->top;
                if (void* block = entry.block) {
                    entry.block = nullptr;
                    if (capacityOut)
                        *capacityOut = entry.capacity;
                    return block;
                }
            }
        }
    }
    void* block = freshBlock(capacity);
    if (block && capacityOut)
        *capacityOut = capacity;
    return block;
}

bool BucketMemoryPool::deallocate(int32_t capacity, void** block) {
    VelLock& lock = velPoolLock();
    if (block && *block && capacity > 0 && capacity <= kLargestPooled && lock.lockQuick()) {
        int32_t index = 0;
        int32_t classCapacity = 0;
        velPooledSizeClass(capacity, &index, &classCapacity);
        if (index < m_bucketCount && !velPoolGrowing()) {
            Bucket* bucket = m_buckets[index];
            if (bucket && bucket->top + 1 < bucket->capacity) {
                const int32_t top = bucket->top + 1;
                bucket->entries[top] = BucketEntry{classCapacity, *block};
                bucket->top = top;
                *block = nullptr;
                if (lock.unlockQuick())
                    return true;
                return lock.wakeAfterUnlock(true);
            }
        }
        return deallocateHeld(capacity, block);
    }
    return deallocateSlow(capacity, block);
}

bool BucketMemoryPool::deallocateHeld(int32_t capacity, void** block) {
    const bool done = deallocateSlow(capacity, block);
    velPoolLock().unlock();
    return done;
}

bool BucketMemoryPool::deallocateSlow(int32_t capacity, void** block) {
    if (!block || !*block || capacity <= 0)
        return false;
    if (capacity > kLargestPooled) {
        velReleaseToOwner(*block);
        *block = nullptr;
        return true;
    }
    int32_t index = 0;
    int32_t classCapacity = 0;
    sizeClass(capacity, &index, &classCapacity);

    VelLockGuard guard(velPoolLock());
    if (velPoolGrowing()) {
        velReleaseToOwner(*block);
        *block = nullptr;
        return true;
    }
    Bucket* bucket = bucketFor(index);
    if (!bucket && index >= m_bucketCount) {
        velReleaseToOwner(*block);
        *block = nullptr;
        return true;
    }
    if (!bucket) {
        VelPoolGrowth growth;
        bucket = new Bucket{0, nullptr, 0};
        bucket->capacity = zalMalloc(&bucket->entries, kBucketEntries);
        std::memset(bucket->entries, 0, sizeof(BucketEntry) * size_t(kBucketEntries));
        m_buckets[index] = bucket;
    }
    push(bucket, classCapacity, *block);
    *block = nullptr;
    return true;
}

bool BucketMemoryPool::releaseAll() {
    if (!m_buckets)
        return true;
    for (int32_t i = 0; i < m_bucketCount; ++i) {
        Bucket* bucket = m_buckets[i];
        if (!bucket)
            continue;
        for (int32_t j = 1; j <= bucket->top; ++j) {
            if (void* block = bucket->entries[j].block) {
                velReleaseToOwner(block);
                bucket->entries[j].block = nullptr;
            }
        }
        velHeapRelease(bucket->entries);
        delete bucket;
        m_buckets[i] = nullptr;
    }
    return true;
}

void BucketMemoryPool::mergeInto(BucketMemoryPool* target) {
    if (!target || target == this || !m_buckets)
        return;
    // Every block goes onto the target through the target's own deallocate, which runs the code of the
    // module that made the target and holds that module's lock: the target's arrays are never written
    // behind the back of a thread that is using them. Entries go over bottom first, so each class keeps
    // its last-in first-out order.
    for (int32_t i = 0; i < m_bucketCount; ++i) {
        Bucket* bucket = m_buckets[i];
        if (!bucket)
            continue;
        for (int32_t j = 1; j <= bucket->top; ++j) {
            BucketEntry& entry = bucket->entries[j];
            if (entry.block && !target->deallocate(entry.capacity, &entry.block))
                velReleaseToOwner(entry.block);
            entry.block = nullptr;
        }
        velHeapRelease(bucket->entries);
        delete bucket;
        m_buckets[i] = nullptr;
    }
}
