// The host's shared bucket pool.

#include "host/sharedpool.h"

#include "host/hostcontext.h"
#include "memory/bucketpool.h"

BucketMemoryPool* velHostSharedPool() {
    if (BucketMemoryPool* pool = velCurrentPool())
        return pool;
    // The host's runtime sets its pool up with its first allocation.
    int32_t capacity = 0;
    void* block = poolAllocate(1, &capacity);
    poolRelease(&block, capacity);
    return velCurrentPool();
}

void velOfferSharedPool(VelHostContext& context) {
    if (BucketMemoryPool* pool = velHostSharedPool())
        context.offer<IBucketMemoryPool>(pool);
}
