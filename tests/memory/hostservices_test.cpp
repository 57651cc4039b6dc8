// The host's memory services: the memory manager's reserve and the shared pool as the modules find it.

#include "host/memorymanager.h"
#include "host/sharedpool.h"
#include "memory/bucketpool.h"

#include "memorytesthost.h"

#include <gtest/gtest.h>

TEST(MemoryHostServices, TheManagerGivesItsReserveBackOneBlockPerAsk) {
    MemoryTestHost& host = memoryTestHost();
    auto* manager = new VelHostMemoryManager(3);
    manager->addRef();
    EXPECT_EQ(manager->reserve(), 3);
    EXPECT_TRUE(manager->releaseMemory());
    EXPECT_TRUE(manager->releaseMemory());
    EXPECT_TRUE(manager->releaseMemory());
    EXPECT_FALSE(manager->releaseMemory());
    EXPECT_FALSE(manager->releaseMemory());
    EXPECT_EQ(manager->asks(), 5);
    EXPECT_EQ(manager->reserve(), 0);
    EXPECT_TRUE(manager->setReserve(4));
    EXPECT_TRUE(manager->setReserve(2));
    EXPECT_EQ(manager->reserve(), 2);
    manager->resetAsks();
    EXPECT_EQ(manager->asks(), 0);

    // Found by its interface name. (The test program's own host already offers a manager, which the
    // runtime has looked up for good; this one is offered by a host of its own.)
    {
        VelHostContext other;
        other.offer<VelMM::IVelMManager>(manager);
        velSetHostContext(&other);
        {
            SPtr<VelMM::IVelMManager> found;
            EXPECT_EQ(found.get(), static_cast<VelMM::IVelMManager*>(manager));
        }
        velSetHostContext(&host.context);
        other.withdrawAll();
    }
    EXPECT_EQ(velCast<VelHostMemoryManager>(manager, "VelHostMemoryManager"), manager);
    EXPECT_EQ(velCast<void>(manager, "IVelMManager"),
              static_cast<void*>(static_cast<VelMM::IVelMManager*>(manager)));
    EXPECT_EQ(manager->refCount(), 1);
    manager->release();
}

TEST(MemoryHostServices, TheSharedPoolIsFoundAndCastByName) {
    MemoryTestHost& host = memoryTestHost();
    BucketMemoryPool* pool = velHostSharedPool();
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool, velCurrentPool());
    velOfferSharedPool(host.context);
    {
        SPtr<IBucketMemoryPool> found;
        ASSERT_TRUE(found);
        EXPECT_EQ(velCast<BucketMemoryPool>(static_cast<IVelUnknown*>(found.get()), "BucketMemoryPool"),
                  pool);
    }
    host.context.withdraw("IBucketMemoryPool");
}
