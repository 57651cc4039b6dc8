// The module's current pool: its own pool at first, the host's shared pool once the host offers one,
// with the free blocks handed over. Within this program's copy of the runtime, and across two copies:
// this program's (the host's) and the built module's.

#include "memory/bucketpool.h"

#include "frame/component.h"
#include "host/moduleloader.h"
#include "host/sharedpool.h"
#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Offered under "IBucketMemoryPool" but no bucket pool: the module must not take it for one.
class NotAPool : public virtual IBucketMemoryPool {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "NotAPool", this, this))
            return true;
        return velCheckInterface(name, outOrWalk, "IBucketMemoryPool", static_cast<IBucketMemoryPool*>(this));
    }
    const char* className() override { return "NotAPool"; }
};

// One allocation and its release through the module-level entries.
void allocateOnce() {
    int32_t capacity = 0;
    void* block = poolAllocate(8, &capacity);
    poolRelease(&block, capacity);
}

class MemoryPoolSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        host = &memoryTestHost();
        // A pool of this runtime's own, current and local. One allocation after it, as after the first
        // allocation of a module: the module then looks again within 601 allocations from any point.
        new BucketMemoryPool;
        allocateOnce();
    }
    int lookups() const { return host->context.lookups("IBucketMemoryPool"); }

    MemoryTestHost* host = nullptr;
};

} // namespace

TEST_F(MemoryPoolSwitch, ALocalPoolLooksForTheSharedPoolOnceEvery601Allocations) {
    ASSERT_TRUE(velPoolIsLocal());
    std::vector<int> lookupAt;
    int seen = lookups();
    for (int i = 1; i <= 1202; ++i) {
        allocateOnce();
        if (lookups() != seen) {
            lookupAt.push_back(i);
            seen = lookups();
        }
    }
    ASSERT_EQ(lookupAt.size(), 2u);
    EXPECT_LE(lookupAt[0], 601);
    EXPECT_EQ(lookupAt[1] - lookupAt[0], 601);
    EXPECT_TRUE(velPoolIsLocal());
}

TEST_F(MemoryPoolSwitch, AServiceThatIsNoBucketPoolIsIgnored) {
    BucketMemoryPool* const local = velCurrentPool();
    ScopedService<IBucketMemoryPool, NotAPool> fake(host->context, new NotAPool);
    const int before = lookups();
    for (int i = 0; i < 601; ++i)
        allocateOnce();
    EXPECT_EQ(lookups(), before + 1);
    EXPECT_EQ(velCurrentPool(), local);
    EXPECT_TRUE(velPoolIsLocal());
    // The module keeps looking, so a real pool offered later is still found.
    for (int i = 0; i < 601; ++i)
        allocateOnce();
    EXPECT_EQ(lookups(), before + 2);
}

TEST_F(MemoryPoolSwitch, OfferedItsOwnPoolTheModuleStopsLookingAndKeepsIt) {
    BucketMemoryPool* const local = velCurrentPool();
    ScopedService<IBucketMemoryPool, BucketMemoryPool> offer(host->context, local);
    for (int i = 0; i < 601; ++i)
        allocateOnce();
    EXPECT_FALSE(velPoolIsLocal());
    EXPECT_EQ(velCurrentPool(), local);
    const int after = lookups();
    for (int i = 0; i < 1300; ++i)
        allocateOnce();
    EXPECT_EQ(lookups(), after);
}

// A second pool of this runtime stands in for the host's: constructing two pools leaves the first one
// detached and empty while the second becomes the module's own current pool.
TEST_F(MemoryPoolSwitch, TheModuleSwitchesToTheSharedPoolWithItsFreeBlocksWithin601Allocations) {
    BucketMemoryPool* shared = new BucketMemoryPool;
    shared->addRef();
    new BucketMemoryPool;
    BucketMemoryPool* const local = velCurrentPool();
    ASSERT_NE(local, shared);
    ASSERT_TRUE(velPoolIsLocal());

    // Free blocks in the local pool: two in one class, one in another.
    int32_t c1 = 0;
    int32_t c2 = 0;
    int32_t c3 = 0;
    void* a = poolAllocate(300, &c1);
    void* b = poolAllocate(300, &c2);
    void* d = poolAllocate(5000, &c3);
    void* const addressA = a;
    void* const addressB = b;
    void* const addressD = d;
    poolRelease(&a, c1);
    poolRelease(&b, c2);
    poolRelease(&d, c3);

    ScopedService<IBucketMemoryPool, BucketMemoryPool> offer(host->context, shared);
    const int refs = shared->refCount();
    int allocations = 0;
    while (velCurrentPool() != shared && allocations < 700) {
        int32_t c = 0;
        void* block = poolAllocate(12, &c);
        ++allocations;
        poolRelease(&block, c);
    }
    EXPECT_LE(allocations, 601);
    ASSERT_EQ(velCurrentPool(), shared);
    EXPECT_FALSE(velPoolIsLocal());
    EXPECT_EQ(shared->refCount(), refs + 1);

    // The shared pool now hands out what was free in the local pool, newest first.
    int32_t c = 0;
    void* first = shared->allocate(300, &c);
    void* second = shared->allocate(300, &c);
    void* third = shared->allocate(5000, &c);
    EXPECT_EQ(first, addressB);
    EXPECT_EQ(second, addressA);
    EXPECT_EQ(third, addressD);
    shared->deallocate(300, &first);
    shared->deallocate(300, &second);
    shared->deallocate(5000, &third);
    shared->release();
}

// The first allocation of a process whose host offers something that is not a bucket pool: the module
// makes a pool of its own rather than using nothing.
TEST(MemoryPoolFirstUse, AServiceThatIsNoBucketPoolGivesTheModuleAPoolOfItsOwn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto* context = new VelHostContext;
            velSetHostContext(context);
            context->offer<IBucketMemoryPool>(new NotAPool);
            const bool noneBefore = velCurrentPool() == nullptr;
            int32_t capacity = 0;
            void* block = poolAllocate(10, &capacity);
            const bool ok = noneBefore && block && capacity == 12 && velCurrentPool() && velPoolIsLocal() &&
                            context->lookups("IBucketMemoryPool") == 1;
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(MemoryPoolFirstUse, AHostThatOffersItsPoolFromTheStartIsUsedAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto* context = new VelHostContext;
            velSetHostContext(context);
            // The host's pool: a pool of this runtime, detached from it as in the tests above.
            BucketMemoryPool* shared = new BucketMemoryPool;
            shared->addRef();
            new BucketMemoryPool;
            context->offer<IBucketMemoryPool>(shared);
            // Forget the module's pool, as in a module that has not allocated yet.
            velCurrentPool()->release();
            int32_t capacity = 0;
            void* block = poolAllocate(10, &capacity);
            const bool ok =
                block && velCurrentPool() == shared && !velPoolIsLocal() && shared->refCount() == 3;
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// ---- two copies of the runtime ----

namespace {

// The free blocks of a pool by the allocator their headers name.
std::map<BucketMemoryAllocator*, int> freeBlocksByOwner(BucketMemoryPool* pool) {
    std::map<BucketMemoryAllocator*, int> owners;
    for (int32_t i = 0; i < pool->bucketCount(); ++i) {
        const Bucket* bucket = pool->bucketAt(i);
        if (!bucket)
            continue;
        for (int32_t j = 1; j <= bucket->top; ++j)
            if (void* block = bucket->entries[j].block)
                ++owners[*reinterpret_cast<BucketMemoryAllocator**>(static_cast<char*>(block) -
                                                                    sizeof(void*))];
    }
    return owners;
}

int foreignBlocks(BucketMemoryPool* pool) {
    int count = 0;
    for (const auto& owner : freeBlocksByOwner(pool))
        if (owner.first != BucketMemoryAllocator::instance())
            count += owner.second;
    return count;
}

} // namespace

// The built module starts on a pool of its own (its runtime's code and heap headers). Run-tests without
// a visitor makes it allocate: it reports through the error service, building its messages in pool
// blocks. Once this program offers its pool, the module hands its free blocks over within 601
// allocations and takes blocks from the shared pool from then on; the blocks keep naming the module's
// allocator.
TEST(MemoryPoolAcrossModules, TheModuleHandsItsFreeBlocksToTheHostsPool) {
    // The module switches once in its life, and it stays loaded: once per process.
    static bool ran = false;
    if (ran)
        GTEST_SKIP() << "the module has switched to the shared pool already in this process";
    ran = true;
    MemoryTestHost& host = memoryTestHost();
    BucketMemoryPool* shared = velHostSharedPool();
    ASSERT_NE(shared, nullptr);

    // The module stays loaded for the rest of the process: the shared pool will hold blocks whose
    // headers name its allocator.
    static VelModuleLoader* loader = new VelModuleLoader;
    ASSERT_TRUE(loader->load(QStringLiteral(MELVORO_MODULE_PATH))) << loader->errorString().toStdString();
    loader->component()->initialize(&host.context);
    IVelCompInternal* module = loader->internal();
    ASSERT_NE(module, nullptr);

    module->runTests(nullptr);
    EXPECT_EQ(foreignBlocks(shared), 0);
    const int sharedRefs = shared->refCount();

    velOfferSharedPool(host.context);
    EXPECT_EQ(shared->refCount(), sharedRefs + 1);
    int calls = 0;
    while (shared->refCount() == sharedRefs + 1 && calls < 700) {
        module->runTests(nullptr);
        ++calls;
    }
    // Each run allocates at least once.
    EXPECT_LE(calls, 601);
    ASSERT_EQ(shared->refCount(), sharedRefs + 2) << "the module took no reference on the shared pool";

    const auto owners = freeBlocksByOwner(shared);
    const int moved = foreignBlocks(shared);
    EXPECT_GT(moved, 0);
    std::set<BucketMemoryAllocator*> foreign;
    for (const auto& owner : owners)
        if (owner.first != BucketMemoryAllocator::instance())
            foreign.insert(owner.first);
    EXPECT_EQ(foreign.size(), 1u) << "one module, one allocator";

    // From now on the module allocates from the shared pool (it pops and pushes the same blocks) and
    // never looks for it again.
    const int lookups = host.context.lookups("IBucketMemoryPool");
    for (int i = 0; i < 700; ++i)
        module->runTests(nullptr);
    EXPECT_EQ(host.context.lookups("IBucketMemoryPool"), lookups);
    EXPECT_EQ(foreignBlocks(shared), moved);
    host.context.withdraw("IBucketMemoryPool");
}
