// The exported entry of the built module, called directly: bad arguments and a refused heap.

#include "host/moduleloader.h"

#include "heapfailure.h"

#include <gtest/gtest.h>

namespace {

class FrameEntryPoint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(loader.load(QStringLiteral(MELVORO_MODULE_PATH))) << qPrintable(loader.errorString());
        entry = reinterpret_cast<VelModuleLoader::EntryPointFunction>(loader.symbol("EntryPoint"));
        ASSERT_NE(entry, nullptr);
    }

    VelModuleLoader loader;
    VelModuleLoader::EntryPointFunction entry = nullptr;
};

} // namespace

TEST_F(FrameEntryPoint, NullComponentParameterWritesNothing) {
    int32_t version = 77;
    EXPECT_EQ(entry(&version, nullptr), 0);
    EXPECT_EQ(version, 77);
}

TEST_F(FrameEntryPoint, NullVersionParameterWritesNothing) {
    IVelComponent* sentinel = reinterpret_cast<IVelComponent*>(0x30);
    IVelComponent* component = sentinel;
    EXPECT_EQ(entry(nullptr, &component), 0);
    EXPECT_EQ(component, sentinel);
}

TEST_F(FrameEntryPoint, RefusedHeapGivesAFailureInsteadOfAnException) {
    int32_t version = 77;
    IVelComponent* component = reinterpret_cast<IVelComponent*>(0x30);
    int32_t result = -1;
    {
        HeapFailure failure;
        result = entry(&version, &component);
        EXPECT_GE(HeapFailure::refused(), 1);
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(version, 0);
    EXPECT_EQ(component, nullptr);

    // The heap is back: the entry works again.
    ASSERT_EQ(entry(&version, &component), 1);
    EXPECT_EQ(version, 100);
    ASSERT_NE(component, nullptr);
    component->addRef();
    component->release();
}
