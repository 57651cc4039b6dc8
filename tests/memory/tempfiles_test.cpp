// Swap file paths: which directory is used, how the name is made, and the once-only look-up of the
// directory service.

#include "memory/tempfiles.h"

#include "host/datastore.h"
#include "host/dirservice.h"
#include "memorytesthost.h"
#include "platform/sysinfo.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

uint64_t g_counter = 0;
uint64_t fixedCounter() {
    return g_counter;
}

std::string fileName(uint32_t counter) {
    char name[64];
    std::snprintf(name, sizeof name, "\\vel-%08x-%08x-temp", unsigned(velProcessId()), unsigned(counter));
    return name;
}

std::string swapPath() {
    PooledString out = PooledString::fromLatin1("left over from before");
    EXPECT_TRUE(velMakeSwapFilePath(out));
    return utf8(out);
}

class MemoryTempFiles : public ::testing::Test {
protected:
    void SetUp() override {
        host = &memoryTestHost();
        // Only the low 32 bits of the counter go into the name.
        g_counter = 0x123456780003e8f5ull;
        velSetSwapCounterSource(&fixedCounter);
    }
    void TearDown() override {
        velSetSwapCounterSource(nullptr);
        host->directories->setDirectory("temp", qstring(std::string(MELVORO_BINARY_DIR) + "/memory-tests"));
    }

    MemoryTestHost* host = nullptr;
};

} // namespace

TEST_F(MemoryTempFiles, TheNameIsTheProcessAndTheCountersLowPartInEightHexDigits) {
    ScopedService<IDataStore, VelHostDataStore> store(host->context, new VelHostDataStore);
    store->setString("Directories/Temp Directory", QStringLiteral("E:\\scratch"));
    char expected[64];
    std::snprintf(expected, sizeof expected, "E:\\scratch\\vel-%08x-0003e8f5-temp", unsigned(velProcessId()));
    EXPECT_EQ(swapPath(), expected);
}

TEST_F(MemoryTempFiles, AnEmptyDataStoreValueLeavesTheChoiceToTheDirectoryService) {
    ScopedService<IDataStore, VelHostDataStore> store(host->context, new VelHostDataStore);
    store->setString("Directories/Temp Directory", QString());
    host->directories->setDirectory("temp", QStringLiteral("D:"));
    // The bare drive gets its root separator, and the name brings its own.
    EXPECT_EQ(swapPath(), "D:\\" + fileName(0x0003e8f5));
}

TEST_F(MemoryTempFiles, ADataStoreValueIsTakenAsItComes) {
    ScopedService<IDataStore, VelHostDataStore> store(host->context, new VelHostDataStore);
    store->setString("Directories/Temp Directory", QStringLiteral("D:"));
    host->directories->setDirectory("temp", QStringLiteral("C:\\Temp"));
    EXPECT_EQ(swapPath(), "D:" + fileName(0x0003e8f5));
    store->setString("Directories/Temp Directory", QStringLiteral("F:\\tmp\\"));
    EXPECT_EQ(swapPath(), "F:\\tmp\\" + fileName(0x0003e8f5));
}

TEST_F(MemoryTempFiles, WithoutADataStoreTheDirectoryServiceDecides) {
    host->directories->setDirectory("temp", QStringLiteral("C:\\Temp"));
    EXPECT_EQ(swapPath(), "C:\\Temp" + fileName(0x0003e8f5));
    EXPECT_EQ(utf8(velTempDirectory()), "C:\\Temp");
}

TEST_F(MemoryTempFiles, DifferentCounterReadingsGiveDifferentNames) {
    host->directories->setDirectory("temp", QStringLiteral("C:\\Temp"));
    const std::string first = swapPath();
    g_counter += 1;
    const std::string second = swapPath();
    EXPECT_NE(first, second);
    velSetSwapCounterSource(nullptr);
    EXPECT_NE(swapPath(), first);
}

// Without any service there is no directory: no path is made (the bare name, which names a file in the
// root directory, is only given for reports). The directory service is looked up once per module
// lifetime, so this runs in a fresh process whose host never offered one, and one offered afterwards
// is not seen.
TEST(MemoryTempFilesWithoutServices, NoPathIsMadeAndALateDirectoryServiceIsNotSeen) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto* bare = new VelHostContext;
            velSetHostContext(bare);
            g_counter = 0x2a;
            velSetSwapCounterSource(&fixedCounter);
            PooledString out;
            const bool noPath = !velMakeSwapFilePath(out) && "\\" + utf8(out) == fileName(0x2a);
            auto* late = new VelHostDirService;
            late->setDirectory("temp", QStringLiteral("C:\\Late"));
            bare->offer<IVelDirService>(late);
            const bool stillNone = !velMakeSwapFilePath(out) && velTempDirectory().isEmpty();
            std::fprintf(stderr, "none=%d still=%d\n", int(noPath), int(stillNone));
            std::_Exit(noPath && stillNone ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "none=1 still=1");
}
