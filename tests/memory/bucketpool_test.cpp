// The bucket pool object: blocks and headers, free stacks, growth of its arrays, refusals, and what
// constructing and destroying a pool does to the module's current pool.

#include "memory/bucketpool.h"

#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

void* headerOf(void* block) {
    return static_cast<char*>(block) - sizeof(void*);
}
BucketMemoryAllocator* ownerOf(void* block) {
    return *static_cast<BucketMemoryAllocator**>(headerOf(block));
}

// A pool of this runtime that is empty and is not the module's current pool. Constructing a pool makes
// it current and hands it the free blocks of the pool that was current; constructing a second one right
// away moves those blocks on to the second, which stays current, and leaves the first empty and detached.
class DetachedPool {
public:
    DetachedPool() {
        m_pool = new BucketMemoryPool;
        m_pool->addRef();
        new BucketMemoryPool;
    }
    ~DetachedPool() { m_pool->release(); }
    DetachedPool(const DetachedPool&) = delete;
    DetachedPool& operator=(const DetachedPool&) = delete;
    BucketMemoryPool* operator->() const { return m_pool; }
    BucketMemoryPool* get() const { return m_pool; }

private:
    BucketMemoryPool* m_pool;
};

// Records the headers given back to it; the blocks are not freed here but by the test.
class RecordingAllocator : public BucketMemoryAllocator {
public:
    void freeBlock(void* header) override { freed.push_back(header); }
    std::vector<void*> freed;
};

class MemoryBucketPool : public ::testing::Test {
protected:
    void SetUp() override { memoryTestHost(); }
};

} // namespace

TEST_F(MemoryBucketPool, EveryBlockCarriesTheModulesAllocatorAndItsClassCapacity) {
    DetachedPool pool;
    const int32_t sizes[] = {0, 1, 5, 8192, 8193, 262144, 262145};
    const int32_t capacities[] = {4, 4, 8, 8192, 16384, 262144, 262145};
    for (size_t i = 0; i < sizeof sizes / sizeof sizes[0]; ++i) {
        int32_t capacity = -1;
        void* block = pool->allocate(sizes[i], &capacity);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(capacity, capacities[i]) << "size " << sizes[i];
        EXPECT_EQ(ownerOf(block), BucketMemoryAllocator::instance());
        // The whole capacity is usable (the address sanitizer would catch a short block).
        std::memset(block, 0xA5, size_t(capacity));
        EXPECT_TRUE(pool->deallocate(capacity, &block));
        EXPECT_EQ(block, nullptr);
    }
}

TEST_F(MemoryBucketPool, AReleasedBlockComesBackForASmallerSizeOfItsClass) {
    DetachedPool pool;
    int32_t capacity = 0;
    void* block = pool->allocate(16, &capacity);
    void* const address = block;
    ASSERT_TRUE(pool->deallocate(capacity, &block));
    int32_t again = 0;
    void* reused = pool->allocate(13, &again);
    EXPECT_EQ(reused, address);
    EXPECT_EQ(again, 16);
    pool->deallocate(again, &reused);
}

TEST_F(MemoryBucketPool, BlocksOfOneClassComeBackLastInFirstOut) {
    DetachedPool pool;
    int32_t ca = 0;
    int32_t cb = 0;
    void* a = pool->allocate(100, &ca);
    void* b = pool->allocate(100, &cb);
    void* const addressA = a;
    void* const addressB = b;
    pool->deallocate(ca, &a);
    pool->deallocate(cb, &b);
    int32_t c1 = 0;
    int32_t c2 = 0;
    void* first = pool->allocate(100, &c1);
    void* second = pool->allocate(100, &c2);
    EXPECT_EQ(first, addressB);
    EXPECT_EQ(second, addressA);
    // The stack is empty now: the next block is a new one.
    int32_t c3 = 0;
    void* third = pool->allocate(100, &c3);
    EXPECT_NE(third, addressA);
    EXPECT_NE(third, addressB);
    pool->deallocate(c1, &first);
    pool->deallocate(c2, &second);
    pool->deallocate(c3, &third);
}

TEST_F(MemoryBucketPool, TheTableDoublesOnTheFirstClassAboveItAndKeepsTheBucketsBelow) {
    DetachedPool pool;
    ASSERT_EQ(pool->bucketCount(), 2050);
    int32_t capacity = 0;
    void* small = pool->allocate(24, &capacity);
    pool->deallocate(capacity, &small);
    int32_t index = 0;
    BucketMemoryPool::sizeClass(24, &index, nullptr);
    Bucket* const before = pool->bucketAt(index);
    ASSERT_NE(before, nullptr);

    // Classes 2048 and 2049 lie inside the first table.
    void* middle = pool->allocate(20000, &capacity);
    EXPECT_EQ(pool->bucketCount(), 2050);
    pool->deallocate(capacity, &middle);

    void* large = pool->allocate(40000, &capacity);
    EXPECT_EQ(capacity, 65536);
    EXPECT_EQ(pool->bucketCount(), 4100);
    EXPECT_EQ(pool->bucketAt(index), before);
    EXPECT_EQ(pool->bucketAt(index)->top, 1);
    for (int32_t i = 2050; i < 4100; ++i)
        ASSERT_EQ(pool->bucketAt(i), nullptr) << i;
    pool->deallocate(capacity, &large);
    EXPECT_NE(pool->bucketAt(2050), nullptr);
}

TEST_F(MemoryBucketPool, TheNinthBlockOfAClassDoublesItsFreeStack) {
    DetachedPool pool;
    std::vector<void*> blocks;
    for (int i = 0; i < 9; ++i) {
        int32_t capacity = 0;
        blocks.push_back(pool->allocate(64, &capacity));
    }
    int32_t index = 0;
    BucketMemoryPool::sizeClass(64, &index, nullptr);
    for (int i = 0; i < 8; ++i) {
        void* b = blocks[size_t(i)];
        pool->deallocate(64, &b);
    }
    const Bucket* bucket = pool->bucketAt(index);
    ASSERT_NE(bucket, nullptr);
    EXPECT_EQ(bucket->capacity, 9);
    EXPECT_EQ(bucket->top, 8);
    void* ninth = blocks[8];
    pool->deallocate(64, &ninth);
    EXPECT_EQ(bucket->capacity, 18);
    EXPECT_EQ(bucket->top, 9);
    // Nothing was lost in the move: all nine come back, newest first.
    for (int i = 8; i >= 0; --i) {
        int32_t capacity = 0;
        void* b = pool->allocate(64, &capacity);
        EXPECT_EQ(b, blocks[size_t(i)]) << i;
        pool->deallocate(capacity, &b);
        b = pool->allocate(64, &capacity);
        blocks[size_t(i)] = b;
    }
    for (void* b : blocks)
        pool->deallocate(64, &b);
}

TEST_F(MemoryBucketPool, BlocksAboveTheLargestPooledSizeGoBackToTheHeapAtOnce) {
    DetachedPool pool;
    HeapFaults heap;
    int32_t capacity = 0;
    void* block = pool->allocate(262145, &capacity);
    ASSERT_EQ(capacity, 262145);
    ASSERT_EQ(heap.mallocs.size(), 1u);
    EXPECT_EQ(heap.mallocs[0], 262145u + sizeof(void*));
    void* const header = headerOf(block);
    EXPECT_TRUE(pool->deallocate(capacity, &block));
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(heap.frees.size(), 1u);
    EXPECT_EQ(heap.frees[0], header);
    EXPECT_EQ(pool->bucketAt(2052), nullptr);
}

TEST_F(MemoryBucketPool, ABlockGoesBackToTheAllocatorItsHeaderNames) {
    DetachedPool pool;
    RecordingAllocator other;
    // A block made by another module: its header names that module's allocator.
    void* raw = std::malloc(sizeof(void*) + 300000);
    *static_cast<BucketMemoryAllocator**>(raw) = &other;
    void* block = static_cast<char*>(raw) + sizeof(void*);
    EXPECT_TRUE(pool->deallocate(300000, &block));
    ASSERT_EQ(other.freed.size(), 1u);
    EXPECT_EQ(other.freed[0], raw);
    std::free(raw);
}

TEST_F(MemoryBucketPool, BadRequestsAreRefusedAndChangeNothing) {
    DetachedPool pool;
    HeapFaults heap;
    EXPECT_FALSE(pool->deallocate(16, nullptr));
    void* none = nullptr;
    EXPECT_FALSE(pool->deallocate(16, &none));

    int32_t capacity = 0;
    void* block = pool->allocate(16, &capacity);
    void* const address = block;
    EXPECT_FALSE(pool->deallocate(0, &block));
    EXPECT_FALSE(pool->deallocate(-16, &block));
    EXPECT_FALSE(pool->deallocate(INT_MIN, &block));
    EXPECT_EQ(block, address);
    int32_t index = 0;
    BucketMemoryPool::sizeClass(16, &index, nullptr);
    EXPECT_EQ(pool->bucketAt(index), nullptr);

    heap.mallocs.clear();
    int32_t refused = 99;
    EXPECT_EQ(pool->allocate(-1, &refused), nullptr);
    EXPECT_EQ(refused, 0);
    refused = 99;
    EXPECT_EQ(pool->allocate(INT_MIN, &refused), nullptr);
    EXPECT_EQ(refused, 0);
    // Size and header together do not fit a 32-bit size: refused, never a short block.
    refused = 99;
    EXPECT_EQ(pool->allocate(INT_MAX, &refused), nullptr);
    EXPECT_EQ(refused, 0);
    refused = 99;
    EXPECT_EQ(pool->allocate(INT_MAX - int32_t(sizeof(void*)) + 1, &refused), nullptr);
    EXPECT_EQ(refused, 0);
    EXPECT_TRUE(heap.mallocs.empty());

    EXPECT_TRUE(pool->deallocate(capacity, &block));
}

TEST_F(MemoryBucketPool, AnswersItsThreeNamesAndNoOther) {
    DetachedPool pool;
    BucketMemoryPool* p = pool.get();
    EXPECT_EQ(velCast<BucketMemoryPool>(p, "BucketMemoryPool"), p);
    EXPECT_EQ(velCast<IVelUnknown>(p, "IVelUnknown"), static_cast<IVelUnknown*>(p));
    EXPECT_EQ(velCast<IBucketMemoryPool>(p, "IBucketMemoryPool"), static_cast<IBucketMemoryPool*>(p));
    EXPECT_EQ(velCast<void>(p, "bucketMemoryPool"), nullptr);
    EXPECT_EQ(velCast<void>(p, "IVelMManager"), nullptr);
    EXPECT_STREQ(p->className(), "BucketMemoryPool");
}

TEST_F(MemoryBucketPool, ReleaseAllGivesEveryFreeBlockBack) {
    DetachedPool pool;
    int32_t c = 0;
    void* a = pool->allocate(10, &c);
    void* b = pool->allocate(10, &c);
    void* d = pool->allocate(5000, &c);
    const std::vector<void*> headers{headerOf(a), headerOf(b), headerOf(d)};
    pool->deallocate(12, &a);
    pool->deallocate(12, &b);
    pool->deallocate(5000, &d);

    HeapFaults heap;
    EXPECT_TRUE(pool->releaseAll());
    for (void* h : headers)
        EXPECT_NE(std::find(heap.frees.begin(), heap.frees.end(), h), heap.frees.end());
    for (int32_t i = 0; i < pool->bucketCount(); ++i)
        ASSERT_EQ(pool->bucketAt(i), nullptr) << i;
    // Still usable afterwards.
    void* again = pool->allocate(10, &c);
    EXPECT_NE(again, nullptr);
    pool->deallocate(c, &again);
}

TEST_F(MemoryBucketPool, MergingMovesEveryFreeBlockAndKeepsTheOrder) {
    DetachedPool source;
    DetachedPool target;
    int32_t c = 0;
    void* t1 = target->allocate(40, &c);
    void* s1 = source->allocate(40, &c);
    void* s2 = source->allocate(40, &c);
    void* s3 = source->allocate(3000, &c);
    void* const addresses[] = {t1, s1, s2, s3};
    target->deallocate(40, &t1);
    source->deallocate(40, &s1);
    source->deallocate(40, &s2);
    source->deallocate(3000, &s3);

    source->mergeInto(target.get());
    for (int32_t i = 0; i < source->bucketCount(); ++i)
        ASSERT_EQ(source->bucketAt(i), nullptr) << i;

    void* got[4];
    got[0] = target->allocate(40, &c);
    got[1] = target->allocate(40, &c);
    got[2] = target->allocate(40, &c);
    got[3] = target->allocate(3000, &c);
    EXPECT_EQ(got[0], addresses[2]);
    EXPECT_EQ(got[1], addresses[1]);
    EXPECT_EQ(got[2], addresses[0]);
    EXPECT_EQ(got[3], addresses[3]);
    target->deallocate(40, &got[0]);
    target->deallocate(40, &got[1]);
    target->deallocate(40, &got[2]);
    target->deallocate(3000, &got[3]);
}

TEST_F(MemoryBucketPool, ANewPoolTakesOverTheFreeBlocksOfTheCurrentOneAndReleasesIt) {
    BucketMemoryPool* first = new BucketMemoryPool;
    first->addRef();
    ASSERT_EQ(velCurrentPool(), first);
    EXPECT_TRUE(velPoolIsLocal());
    EXPECT_EQ(first->refCount(), 2); // the module's and this test's

    int32_t c = 0;
    void* block = first->allocate(200, &c);
    void* const address = block;
    first->deallocate(c, &block);
    int32_t index = 0;
    BucketMemoryPool::sizeClass(200, &index, nullptr);
    Bucket* const bucket = first->bucketAt(index);
    ASSERT_NE(bucket, nullptr);

    BucketMemoryPool* second = new BucketMemoryPool;
    EXPECT_EQ(velCurrentPool(), second);
    EXPECT_EQ(second->bucketAt(index), bucket);
    EXPECT_EQ(first->bucketAt(index), nullptr);
    EXPECT_EQ(first->refCount(), 1); // the module let go
    int32_t again = 0;
    void* reused = second->allocate(200, &again);
    EXPECT_EQ(reused, address);
    second->deallocate(again, &reused);
    first->release();
}

// The module holds its own reference on the pool it makes current, so whoever constructed the pool can
// let go of it without leaving the module with a pool that is gone.
TEST_F(MemoryBucketPool, ACurrentPoolOutlivesTheReferenceOfWhoeverMadeIt) {
    BucketMemoryPool* pool = new BucketMemoryPool;
    pool->addRef();
    pool->release();
    ASSERT_EQ(velCurrentPool(), pool);
    EXPECT_EQ(pool->refCount(), 1);
    int32_t c = 0;
    void* block = poolAllocate(48, &c);
    EXPECT_NE(block, nullptr);
    poolRelease(&block, c);
    EXPECT_EQ(velCurrentPool(), pool);
}

// A pool destroyed while it is current (a holder released one reference too many) leaves the module
// without a pool, and the next allocation makes a new one, instead of using freed memory.
TEST_F(MemoryBucketPool, ACurrentPoolThatIsDestroyedIsNoLongerUsed) {
    BucketMemoryPool* pool = new BucketMemoryPool;
    ASSERT_EQ(velCurrentPool(), pool);
    pool->release();
    EXPECT_EQ(velCurrentPool(), nullptr);
    int32_t c = 0;
    void* block = poolAllocate(48, &c);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(c, 48);
    EXPECT_NE(velCurrentPool(), nullptr);
    poolRelease(&block, c);
}

TEST_F(MemoryBucketPool, ABlockAboveThePooledSizesGoesBackThroughItsHeader) {
    RecordingAllocator other;
    void* raw = std::malloc(sizeof(void*) + 64);
    *static_cast<BucketMemoryAllocator**>(raw) = &other;
    void* block = static_cast<char*>(raw) + sizeof(void*);
    // Above the largest pooled size a block never enters any pool.
    poolRelease(&block, 262145);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(other.freed.size(), 1u);
    EXPECT_EQ(other.freed[0], raw);
    std::free(raw);
}

// A pool of this runtime that notes the capacity of every release it is given.
class HearingPool : public BucketMemoryPool {
public:
    bool deallocate(int32_t capacity, void** block) override {
        heard.push_back(capacity);
        return BucketMemoryPool::deallocate(capacity, block);
    }
    std::vector<int32_t> heard;
};

// Pools of other modules rely on hearing every release, so a block above the pooled sizes goes through
// the current pool too, whether that is the module's own pool or the host's shared one.
TEST_F(MemoryBucketPool, EveryReleaseOfAnySizeGoesThroughTheCurrentPool) {
    for (const bool shared : {false, true}) {
        SCOPED_TRACE(shared ? "shared pool" : "own pool");
        HearingPool* pool = new HearingPool;
        ASSERT_EQ(velCurrentPool(), pool);
        ScopedService<IBucketMemoryPool, BucketMemoryPool> offer(memoryTestHost().context, pool);
        for (int i = 0; shared && velPoolIsLocal() && i < 700; ++i) {
            int32_t c = 0;
            void* block = poolAllocate(8, &c);
            poolRelease(&block, c);
        }
        ASSERT_EQ(velPoolIsLocal(), !shared);
        pool->heard.clear();

        RecordingAllocator other;
        void* raw = std::malloc(sizeof(void*) + 64);
        *static_cast<BucketMemoryAllocator**>(raw) = &other;
        void* block = static_cast<char*>(raw) + sizeof(void*);
        poolRelease(&block, 262145);
        EXPECT_EQ(block, nullptr);
        EXPECT_EQ(pool->heard, std::vector<int32_t>{262145});
        EXPECT_EQ(other.freed, std::vector<void*>{raw});
        std::free(raw);
    }
    // Back to a pool of the module's own for the tests after this one.
    new BucketMemoryPool;
}

// The module's entries find the free stacks of its own pool wherever that pool's table lives now: after
// the table has grown (and moved) and after a new pool has taken the table over.
TEST_F(MemoryBucketPool, TheModulesEntriesFollowTheTableWhenItGrowsOrChangesHands) {
    BucketMemoryPool* first = new BucketMemoryPool;
    ASSERT_EQ(velCurrentPool(), first);
    int32_t c = 0;
    void* block = poolAllocate(100, &c);
    void* const address = block;
    poolRelease(&block, c);

    // The largest pooled class lies beyond the initial table, which grows to take it.
    const int32_t countBefore = first->bucketCount();
    int32_t bigCapacity = 0;
    void* big = poolAllocate(BucketMemoryPool::kLargestPooled, &bigCapacity);
    ASSERT_NE(big, nullptr);
    poolRelease(&big, bigCapacity);
    EXPECT_GT(first->bucketCount(), countBefore);
    void* again = poolAllocate(100, &c);
    EXPECT_EQ(again, address);
    poolRelease(&again, c);

    // A new pool takes the table over; the old one is left with the new pool's empty table and goes.
    BucketMemoryPool* second = new BucketMemoryPool;
    ASSERT_EQ(velCurrentPool(), second);
    void* taken = poolAllocate(100, &c);
    EXPECT_EQ(taken, address);
    int32_t index = 0;
    BucketMemoryPool::sizeClass(100, &index, nullptr);
    ASSERT_NE(second->bucketAt(index), nullptr);
    EXPECT_EQ(second->bucketAt(index)->top, 0);
    poolRelease(&taken, c);
    EXPECT_EQ(second->bucketAt(index)->top, 1);
}
