#pragma once
// The bucket memory pool: free stacks of blocks by size class, shared by the modules of a process.
// Its class layout and block header are a contract between modules: every module has the same ones.

#include "runtime/iptr.h"
#include "runtime/velobject.h"

#include <cstdint>

class IBucketMemoryPool : public virtual IVelUnknown {};
VEL_INTERFACE_NAME(IBucketMemoryPool, "IBucketMemoryPool");

// Gives blocks back to the heap of the module that allocated them. One instance per module.
class BucketMemoryAllocator {
public:
    virtual ~BucketMemoryAllocator() = default;
    // header: the block's header address (block address minus the header word).
    virtual void freeBlock(void* header);
    static BucketMemoryAllocator* instance();
};

// One free stack: the layout of VelArray (capacity, entries, top); entry 0 is never used.
struct BucketEntry {
    int32_t capacity;
    void* block;
};
struct Bucket {
    int32_t capacity;
    BucketEntry* entries;
    int32_t top;
};

#if defined(__GNUC__)
#define VEL_POOL_COLD __attribute__((noinline))
#else
#define VEL_POOL_COLD
#endif

class BucketMemoryPool : public virtual IBucketMemoryPool {
public:
    static constexpr int32_t kInitialBuckets = 2050;
    static constexpr int32_t kGranularity = 4;
    static constexpr int32_t kLinearLimit = 8192;
    static constexpr int32_t kLargestPooled = 262144;
    static constexpr int32_t kBucketEntries = 9;

    BucketMemoryPool();
    ~BucketMemoryPool() override;

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "BucketMemoryPool"; }

    virtual bool releaseAll();
    virtual void* allocate(int32_t size, int32_t* capacityOut);
    virtual bool deallocate(int32_t capacity, void** block);

    // Moves every free block of this pool onto `target`'s free stacks (under the caller's pool lock).
    void mergeInto(BucketMemoryPool* target);

    int32_t bucketCount() const { return m_bucketCount; }
    Bucket* bucketAt(int32_t index) const {
        return index >= 0 && index < m_bucketCount ? m_buckets[index] : nullptr;
    }

    // Size class of a byte count: class index and its capacity; false above the largest pooled size.
    static bool sizeClass(int32_t size, int32_t* index, int32_t* capacity);

private:
    // Not virtual: the pool's table of operations is the same in every module. Out of line, so that
    // allocate and deallocate stay lean; the Held ones are called with the pool lock taken once for them,
    // which they give up.
    VEL_POOL_COLD void* allocateSlow(int32_t size, int32_t* capacityOut);
    VEL_POOL_COLD bool deallocateSlow(int32_t capacity, void** block);
    VEL_POOL_COLD void* allocateHeld(int32_t size, int32_t* capacityOut);
    VEL_POOL_COLD bool deallocateHeld(int32_t capacity, void** block);
    Bucket* bucketFor(int32_t index);
    void push(Bucket* bucket, int32_t capacity, void* block);

    int32_t m_bucketCount;
    Bucket** m_buckets;
    int32_t m_granularity;
    int32_t m_linearLimit;
    int32_t m_largestPooled;
};

// The module's entries to its current pool (the host's shared pool once it is offered).
void* poolAllocate(int32_t size, int32_t* capacityOut);
void poolRelease(void** block, int32_t capacity);

// The module's current pool, or null before the first allocation; whether it is the module's own.
BucketMemoryPool* velCurrentPool();
bool velPoolIsLocal();
