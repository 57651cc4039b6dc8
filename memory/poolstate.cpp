// The module's entries to its current bucket pool. The module starts with a pool of its own and, every
// 601 allocations, looks for the host's shared pool; once it finds it, it hands its free blocks over and
// uses the shared pool from then on.
//
// The module-wide state is read and changed under the pool lock, so a thread never uses a pool that
// another thread is switching away from and releasing. Once the module uses the host's shared pool it
// goes straight to it, without its own lock: that pool runs the code of the module that made it, under
// that module's lock, and never waits for this module's lock while holding its own; the module keeps its
// reference on it and never switches away from it again.

#include "memory/poolstate.h"

#include "runtime/iptr.h"
#include "runtime/modulereferences.h"

#include <cstdlib>

#include <atomic>

#if defined(_MSC_VER)
#define VEL_NOINLINE __declspec(noinline)
#else
#define VEL_NOINLINE __attribute__((noinline))
#endif

VelLock velPoolLockInstance;
int32_t velPoolGrowthDepth = 0;

namespace {

VelLock& g_poolLock = velPoolLockInstance;
BucketMemoryPool* g_current = nullptr;
bool g_local = false;
int32_t g_allocations = 0;
// The current pool while it is the host's shared pool (null while the module uses a pool of its own or
// none): read without the lock by every allocation and release.
std::atomic<BucketMemoryPool*> g_shared{nullptr};
// The table of free stacks of the module's own current pool (null and 0 otherwise), so that the common
// case finds a class's stack without going through the pool object.
Bucket** g_table = nullptr;
int32_t g_tableCount = 0;

// While the module uses its own pool it looks for the shared pool again after this many allocations.
constexpr int32_t kAllocationsBetweenLookups = 600;

// Whether closePool is registered to run at unload (or at the end of the process).
bool g_closeRegistered = false;

// Lets go of the module's current pool (under the pool lock the switch is made; the release after it).
// The module's own pool goes with its free blocks and its table when the module's reference is the only
// one; blocks it handed out are not on its free stacks and stay untouched, and once there is no current
// pool a block released later goes straight back to the heap of its owner. A shared pool belongs to the
// host: the module only gives its reference back to the host's count.
//
// The process may end in the middle of a pool operation (the out-of-memory notification ends it from
// inside one, and another thread may hold the lock): then the pool is left as it is, since its arrays
// may be half grown, and the end of the process takes it all.
void dropCurrentPool(bool sharedOnly) {
    BucketMemoryPool* pool = nullptr;
    bool local = false;
    if (!g_poolLock.tryLock())
        return;
    const bool inUse = g_poolLock.depth() > 1 || velPoolGrowing();
    if (!inUse && g_current && !(sharedOnly && g_local)) {
        pool = g_current;
        local = g_local;
        velSetCurrentPool(nullptr, false);
        g_allocations = 0;
    }
    g_poolLock.unlock();
    if (!pool)
        return;
    // The module's own pool was never offered to anybody: with the module's reference alone on it, it is
    // freed without asking a host context (which may be gone by the time the module unloads).
    if (local && pool->refCount() == 1)
        delete pool;
    else
        pool->release();
}

// Run at unload (or at the end of the process); the next pool the module sets up registers it again.
void closePool() {
    {
        VelLockGuard guard(g_poolLock);
        g_closeRegistered = false;
    }
    dropCurrentPool(false);
}

// The module's reference on the host's shared pool is counted by the host context, so it goes back
// together with the module's other module-wide references (see runtime/modulereferences.h).
struct SharedPoolReference : VelModuleReference {
    void letGo() override { dropCurrentPool(true); }
};
SharedPoolReference g_sharedPoolReference;

// Called under the pool lock whenever the module gets a current pool.
void pooledUntilUnload(bool shared) {
    if (!g_closeRegistered) {
        g_closeRegistered = true;
        std::atexit(&closePool);
    }
    if (shared)
        g_sharedPoolReference.enlistOnce();
}

// The host's shared pool, or null when the host offers none or offers something that is not a bucket
// pool (which the module then ignores).
BucketMemoryPool* findSharedPool() {
    SPtr<IBucketMemoryPool> service;
    if (!service)
        return nullptr;
    return velCast<BucketMemoryPool>(static_cast<IVelUnknown*>(service.get()), "BucketMemoryPool");
}

// Called under the pool lock while the module uses its own pool.
void switchToSharedPool() {
    BucketMemoryPool* shared = findSharedPool();
    if (!shared)
        return;
    if (shared == g_current) {
        velSetCurrentPool(shared, false);
        return;
    }
    BucketMemoryPool* local = g_current;
    shared->addRef();
    if (local)
        local->mergeInto(shared);
    velSetCurrentPool(shared, false);
    pooledUntilUnload(true);
    if (local)
        local->release();
}

// Called under the pool lock when the module has no pool yet.
void establishPool() {
    if (BucketMemoryPool* shared = findSharedPool()) {
        shared->addRef();
        velSetCurrentPool(shared, false);
        pooledUntilUnload(true);
        return;
    }
    // A new pool makes itself the module's own current pool.
    new BucketMemoryPool;
    pooledUntilUnload(false);
}

} // namespace

void velSetCurrentPool(BucketMemoryPool* pool, bool local) {
    g_current = pool;
    g_local = pool && local;
    g_shared.store(pool && !local ? pool : nullptr, std::memory_order_release);
    // The pool announces its table once it is in place.
    g_table = nullptr;
    g_tableCount = 0;
}

void velPoolTableChanged(BucketMemoryPool* pool, Bucket** table, int32_t count) {
    if (!pool || pool != g_current || !g_local)
        return;
    g_table = table;
    g_tableCount = table ? count : 0;
}

VelPoolGrowth::VelPoolGrowth() {
    ++velPoolGrowthDepth;
}
VelPoolGrowth::~VelPoolGrowth() {
    --velPoolGrowthDepth;
}

BucketMemoryPool* velCurrentPool() {
    VelLockGuard guard(g_poolLock);
    return g_current;
}

bool velPoolIsLocal() {
    VelLockGuard guard(g_poolLock);
    return g_local;
}

namespace {

// The rest of poolAllocate, for everything but the common case: called with the pool lock held, gives
// it up.
VEL_NOINLINE void* allocateSlow(int32_t size, int32_t* capacityOut) {
    if (g_local && g_allocations > kAllocationsBetweenLookups) {
        g_allocations = 0;
        switchToSharedPool();
    }
    if (!g_current)
        establishPool();
    BucketMemoryPool* pool = g_current;
    if (g_local) {
        ++g_allocations;
        void* block = pool->allocate(size, capacityOut);
        g_poolLock.unlock();
        return block;
    }
    g_poolLock.unlock();
    return pool->allocate(size, capacityOut);
}

// poolAllocate when the lock could not be had at once.
VEL_NOINLINE void* allocateLocked(int32_t size, int32_t* capacityOut) {
    g_poolLock.lock();
    return allocateSlow(size, capacityOut);
}

// The rest of poolRelease: called with the pool lock held, gives it up. Every release of any size goes
// to the current pool's deallocate when there is one: pools of other modules hear of every block.
VEL_NOINLINE void releaseSlow(void** block, int32_t capacity) {
    BucketMemoryPool* pool = g_current;
    if (!pool) {
        g_poolLock.unlock();
        velReleaseToOwner(*block);
        *block = nullptr;
        return;
    }
    if (g_local) {
        pool->deallocate(capacity, block);
        g_poolLock.unlock();
        return;
    }
    g_poolLock.unlock();
    pool->deallocate(capacity, block);
}

// poolRelease when the lock could not be had at once.
VEL_NOINLINE void releaseLocked(void** block, int32_t capacity) {
    g_poolLock.lock();
    releaseSlow(block, capacity);
}

} // namespace

// With the host's shared pool, both go straight to that pool. With the module's own pool, the common
// case, a free block of the class at hand (or room on the class's free stack), is done right here under
// the lock; it is the same pop (push) as the pool's allocate (deallocate) does. Everything else goes the
// long way.
void* poolAllocate(int32_t size, int32_t* capacityOut) {
    if (BucketMemoryPool* shared = g_shared.load(std::memory_order_acquire))
        return shared->allocate(size, capacityOut);
    if (!g_poolLock.lockQuick())
        return allocateLocked(size, capacityOut);
    if (g_local && g_allocations <= kAllocationsBetweenLookups &&
        uint32_t(size) <= uint32_t(BucketMemoryPool::kLargestPooled) && velPoolGrowthDepth == 0) {
        int32_t index = 0;
        int32_t capacity = 0;
        velPooledSizeClass(size, &index, &capacity);
        Bucket* bucket = index < g_tableCount ? g_table[index] : nullptr;
        if (bucket && bucket->top > 0) {
            BucketEntry& entry = bucket->entries[bucket->top];
            if (void* block = entry.block) {
                --bucket->top;
                ++g_allocations;
                if (capacityOut)
                    *capacityOut = entry.capacity;
                if (g_poolLock.unlockQuick())
                    return block;
                return g_poolLock.wakeAfterUnlock(block);
            }
        }
    }
    return allocateSlow(size, capacityOut);
}

void poolRelease(void** block, int32_t capacity) {
    if (!block || !*block)
        return;
    if (BucketMemoryPool* shared = g_shared.load(std::memory_order_acquire)) {
        shared->deallocate(capacity, block);
        return;
    }
    if (!g_poolLock.lockQuick())
        return releaseLocked(block, capacity);
    if (g_local && capacity > 0 && capacity <= BucketMemoryPool::kLargestPooled && velPoolGrowthDepth == 0) {
        int32_t index = 0;
        int32_t classCapacity = 0;
        velPooledSizeClass(capacity, &index, &classCapacity);
        Bucket* bucket = index < g_tableCount ? g_table[index] : nullptr;
        if (bucket && bucket->top + 1 < bucket->capacity) {
            const int32_t top = bucket->top + 1;
            bucket->entries[top] = BucketEntry{classCapacity, *block};
            bucket->top = top;
            *block = nullptr;
            if (!g_poolLock.unlockQuick())
                g_poolLock.wakeAfterUnlock();
            return;
        }
    }
    releaseSlow(block, capacity);
}
