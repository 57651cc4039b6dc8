// The pool under two threads: blocks are never handed to both, free stacks never hold a block twice,
// and the switch to the shared pool is safe while another thread allocates.

#include "memory/bucketpool.h"

#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

struct Held {
    void* block;
    int32_t capacity;
    int32_t size;
};

// Allocates and releases mixed sizes, keeping a few blocks at a time, each filled with the thread's own
// byte; a block that another thread also got would show the other byte. Returns the number of blocks
// found changed.
int churn(unsigned seed, char tag, int rounds, const std::atomic<bool>* keepGoing = nullptr) {
    int damaged = 0;
    std::vector<Held> held;
    unsigned state = seed;
    for (int i = 0; i < rounds || (keepGoing && keepGoing->load()); ++i) {
        state = state * 1103515245u + 12345u;
        const int32_t size = int32_t(1 + (state >> 8) % 512);
        Held h{nullptr, 0, size};
        h.block = poolAllocate(size, &h.capacity);
        if (!h.block || h.capacity < size)
            return -1;
        std::memset(h.block, tag, size_t(size));
        held.push_back(h);
        if (held.size() > 16 || (state & 0x10000)) {
            Held& victim = held[(state >> 4) % held.size()];
            const char* bytes = static_cast<const char*>(victim.block);
            for (int32_t j = 0; j < victim.size; ++j)
                if (bytes[j] != tag) {
                    ++damaged;
                    break;
                }
            poolRelease(&victim.block, victim.capacity);
            victim = held.back();
            held.pop_back();
        }
    }
    for (Held& h : held)
        poolRelease(&h.block, h.capacity);
    return damaged;
}

// Every block on a pool's free stacks, with a count of how often it is there.
std::vector<void*> freeBlocks(BucketMemoryPool* pool) {
    std::vector<void*> blocks;
    for (int32_t i = 0; i < pool->bucketCount(); ++i)
        if (const Bucket* bucket = pool->bucketAt(i))
            for (int32_t j = 1; j <= bucket->top; ++j)
                if (bucket->entries[j].block)
                    blocks.push_back(bucket->entries[j].block);
    return blocks;
}

bool allDistinct(const std::vector<void*>& blocks) {
    return std::set<void*>(blocks.begin(), blocks.end()).size() == blocks.size();
}

class MemoryPoolThreads : public ::testing::Test {
protected:
    void SetUp() override { host = &memoryTestHost(); }
    MemoryTestHost* host = nullptr;
};

} // namespace

TEST_F(MemoryPoolThreads, TwoThreadsNeverGetTheSameBlock) {
    new BucketMemoryPool;
    int damagedA = 0;
    int damagedB = 0;
    std::thread a([&] { damagedA = churn(1, 'a', 200000); });
    std::thread b([&] { damagedB = churn(2, 'b', 200000); });
    a.join();
    b.join();
    EXPECT_EQ(damagedA, 0);
    EXPECT_EQ(damagedB, 0);
    EXPECT_TRUE(allDistinct(freeBlocks(velCurrentPool())));
}

TEST_F(MemoryPoolThreads, TheSwitchToTheSharedPoolIsSafeWhileAnotherThreadAllocates) {
    BucketMemoryPool* shared = new BucketMemoryPool;
    shared->addRef();
    new BucketMemoryPool;
    ASSERT_TRUE(velPoolIsLocal());

    std::atomic<bool> keepGoing{true};
    int damagedA = 0;
    int damagedB = 0;
    std::thread a([&] { damagedA = churn(3, 'a', 1000, &keepGoing); });
    std::thread b([&] { damagedB = churn(4, 'b', 1000, &keepGoing); });
    host->context.offer<IBucketMemoryPool>(shared);
    // The threads allocate until the switch has happened, and a while longer.
    while (velCurrentPool() != shared)
        std::this_thread::yield();
    churn(5, 'c', 5000);
    keepGoing = false;
    a.join();
    b.join();
    host->context.withdraw("IBucketMemoryPool");

    EXPECT_EQ(damagedA, 0);
    EXPECT_EQ(damagedB, 0);
    EXPECT_FALSE(velPoolIsLocal());
    // This test's reference and the module's.
    EXPECT_EQ(shared->refCount(), 2);
    EXPECT_TRUE(allDistinct(freeBlocks(shared)));
    shared->release();
}

TEST_F(MemoryPoolThreads, ReferencesTakenAndDroppedOnTwoThreadsBalance) {
    BucketMemoryPool* pool = new BucketMemoryPool;
    ScopedService<IBucketMemoryPool, BucketMemoryPool> offer(host->context, pool);
    const int32_t before = pool->refCount();
    std::atomic<int> missing{0};
    auto work = [&](char tag) {
        for (int i = 0; i < 20000; ++i) {
            SPtr<IBucketMemoryPool> found;
            if (found.get() != static_cast<IBucketMemoryPool*>(pool))
                ++missing;
            int32_t capacity = 0;
            void* block = poolAllocate(24, &capacity);
            std::memset(block, tag, 24);
            poolRelease(&block, capacity);
        }
    };
    std::thread a(work, 'a');
    std::thread b(work, 'b');
    a.join();
    b.join();
    EXPECT_EQ(missing.load(), 0);
    EXPECT_EQ(pool->refCount(), before);
    EXPECT_EQ(velCurrentPool(), pool);
}
