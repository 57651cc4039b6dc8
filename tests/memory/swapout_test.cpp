// The swap-out of the guarded allocator: a growth the heap refuses at every size goes through a file in
// the host's temporary directory and back, the file is created exclusively, and each failure on the way
// ends the process with the out-of-memory report and no file left behind.

#include "memory/tempfiles.h"
#include "memory/zalrealloc.h"

#include "host/datastore.h"
#include "host/dirservice.h"
#include "host/errorservice.h"
#include "memorytesthost.h"
#include "platform/sysinfo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kMessageStart[] = "While running this function, you have run out of memory.";

uint64_t g_counterValue = 0x3e8f5;
bool g_counterAdvances = false;
uint64_t testCounter() {
    return g_counterAdvances ? g_counterValue++ : g_counterValue;
}

std::string swapFileName(uint32_t counter) {
    char name[64];
    std::snprintf(name, sizeof name, "vel-%08x-%08x-temp", unsigned(velProcessId()), unsigned(counter));
    return name;
}

// A heap that refuses to grow any block in place.
struct RefusingHeap : HeapFaults {
    RefusingHeap() {
        failRealloc = [](size_t) { return true; };
    }
};

class MemorySwapOut : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        host = &resetMemoryTestHost();
        directory = scratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
        store = new VelHostDataStore;
        store->setString("Directories/Temp Directory", qstring(directory));
        storeOffer.reset(new ScopedService<IDataStore, VelHostDataStore>(host->context, store));
        errorOffer.reset(new ScopedService<IVelErrorService, VelHostErrorService>(
            host->context, makeEchoingErrorService([this] { return status(); })));
        g_counterValue = 0x3e8f5;
        g_counterAdvances = false;
    }
    void TearDown() override {
        velSetSwapCounterSource(nullptr);
        errorOffer.reset();
        storeOffer.reset();
    }

    // What a report in a death test adds about the state of the swap-out at that moment.
    std::string status() const {
        std::string s = "files=" + std::to_string(directoryEntries(directory).size());
        if (block)
            s += std::string(" block=") +
                 (std::memcmp(block, pattern.data(), pattern.size()) == 0 ? "intact" : "changed");
        else
            s += " block=null";
        return s;
    }

    // A block of `bytes` bytes holding a recognisable pattern.
    void makeBlock(size_t bytes) {
        pattern.resize(bytes);
        for (size_t i = 0; i < bytes; ++i)
            pattern[i] = char('A' + i % 23);
        block = static_cast<char*>(std::malloc(bytes));
        std::memcpy(block, pattern.data(), bytes);
    }

    // Lists the temporary directory into `seen` when a block of `bytes` bytes is asked for.
    void listDirectoryAt(HeapFaults& heap, size_t bytes, std::vector<std::string>& seen) {
        heap.onMalloc = [this, bytes, &seen](size_t asked) {
            if (asked == bytes)
                seen = directoryEntries(directory);
        };
    }

    // `growth` ends the process with the out-of-memory message and the report line `report`; no file is
    // left behind.
    void expectOutOfMemoryEnd(const std::function<void()>& growth, const std::string& report) {
        EXPECT_EXIT(growth(), ::testing::ExitedWithCode(255),
                    ::testing::AllOf(::testing::HasSubstr(report), ::testing::HasSubstr(kMessageStart)));
        EXPECT_TRUE(directoryEntries(directory).empty());
        // Only the child that died used the block.
        std::free(block);
        block = nullptr;
    }

    MemoryTestHost* host = nullptr;
    std::string directory;
    VelHostDataStore* store = nullptr;
    std::unique_ptr<ScopedService<IDataStore, VelHostDataStore>> storeOffer;
    std::unique_ptr<ScopedService<IVelErrorService, VelHostErrorService>> errorOffer;
    std::string pattern;
    char* block = nullptr;
};

} // namespace

TEST_F(MemorySwapOut, AGrowthTheHeapRefusesGoesThroughAFileAndBack) {
    makeBlock(1000);
    RefusingHeap heap;
    std::vector<std::string> seen;
    std::string contents;
    mode_t mode = 0;
    heap.onMalloc = [&](size_t bytes) {
        if (bytes != 5000)
            return;
        // The old block is gone by now; its bytes are in the swap file.
        seen = directoryEntries(directory);
        if (seen.size() == 1) {
            const std::string path = directory + "/" + seen[0];
            contents = readFile(path);
            struct stat info {};
            lstat(path.c_str(), &info);
            mode = info.st_mode;
        }
    };
    velSetSwapCounterSource(&testCounter);

    EXPECT_EQ(zalRealloc(&block, 1000, 5000, 5000), 5000);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], swapFileName(0x3e8f5));
    EXPECT_EQ(contents, pattern);
    EXPECT_TRUE(S_ISREG(mode));
    EXPECT_EQ(mode & 0777, 0600u);
    // With the minimum equal to the maximum the swap-out follows the first refusal at once, and the
    // memory manager is not needed.
    EXPECT_EQ(heap.reallocs.size(), 1u);
    EXPECT_EQ(host->manager->asks(), 0);

    EXPECT_EQ(std::memcmp(block, pattern.data(), 1000), 0);
    for (int i = 1000; i < 5000; ++i)
        ASSERT_EQ(block[i], 0) << i;
    EXPECT_TRUE(directoryEntries(directory).empty());
    std::free(block);
}

TEST_F(MemorySwapOut, TheManagerIsAskedOnlyWhenTheBlockAfterTheSwapOutCannotBeHad) {
    makeBlock(500);
    host->manager->setReserve(1);
    RefusingHeap heap;
    int refusals = 1;
    heap.failMalloc = [&refusals](size_t bytes) { return bytes == 2500 && refusals-- > 0; };
    EXPECT_EQ(zalRealloc(&block, 500, 2500, 2500), 2500);
    EXPECT_EQ(host->manager->asks(), 1);
    EXPECT_EQ(std::memcmp(block, pattern.data(), 500), 0);
    EXPECT_EQ(block[2499], 0);
    EXPECT_TRUE(directoryEntries(directory).empty());
    std::free(block);
}

TEST_F(MemorySwapOut, AfterTheHalvingsTheSwapOutTakesTheMinimum) {
    makeBlock(100);
    RefusingHeap heap;
    EXPECT_EQ(zalRealloc(&block, 100, 300, 100000), 300);
    EXPECT_EQ(heap.reallocs.size(), 9u);
    EXPECT_EQ(std::memcmp(block, pattern.data(), 100), 0);
    EXPECT_EQ(block[299], 0);
    EXPECT_TRUE(directoryEntries(directory).empty());
    std::free(block);
}

// A file planted at the name the swap-out will choose is neither opened nor written through nor
// deleted; the swap-out takes another name.
TEST_F(MemorySwapOut, AFilePlantedAtTheNameIsLeftAlone) {
    makeBlock(600);
    const std::string planted = directory + "/" + swapFileName(0x3e8f5);
    writeFile(planted, "PLANTED");
    velSetSwapCounterSource(&testCounter);
    RefusingHeap heap;
    std::vector<std::string> during;
    listDirectoryAt(heap, 2000, during);
    EXPECT_EQ(zalRealloc(&block, 600, 2000, 2000), 2000);
    EXPECT_EQ(during.size(), 2u);
    EXPECT_EQ(readFile(planted), "PLANTED");
    EXPECT_EQ(directoryEntries(directory), std::vector<std::string>{swapFileName(0x3e8f5)});
    EXPECT_EQ(std::memcmp(block, pattern.data(), 600), 0);
    std::free(block);
}

TEST_F(MemorySwapOut, ALinkPlantedAtTheNameIsNotFollowed) {
    makeBlock(600);
    const std::string victimDirectory = scratchDirectory(
        std::string("victim-of-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    const std::string victim = victimDirectory + "/victim";
    writeFile(victim, "ORIGINAL");
    const std::string link = directory + "/" + swapFileName(0x3e8f5);
    ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
    // A dangling link too: following it would create the file it names.
    const std::string absent = victimDirectory + "/absent";
    g_counterAdvances = true;
    ASSERT_EQ(symlink(absent.c_str(), (directory + "/" + swapFileName(0x3e8f6)).c_str()), 0);
    velSetSwapCounterSource(&testCounter);
    RefusingHeap heap;
    std::vector<std::string> during;
    listDirectoryAt(heap, 2000, during);

    EXPECT_EQ(zalRealloc(&block, 600, 2000, 2000), 2000);
    EXPECT_EQ(readFile(victim), "ORIGINAL");
    EXPECT_EQ(directoryEntries(victimDirectory), std::vector<std::string>{"victim"});
    EXPECT_EQ(during.size(), 3u);
    struct stat info {};
    EXPECT_EQ(lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(directoryEntries(directory).size(), 2u);
    EXPECT_EQ(std::memcmp(block, pattern.data(), 600), 0);
    std::free(block);
}

TEST_F(MemorySwapOut, ASwapFileThatCannotBeCreatedEndsTheProcessWithTheBlockUntouched) {
    store->setString("Directories/Temp Directory", qstring(directory + "/missing/deeper"));
    makeBlock(800);
    expectOutOfMemoryEnd(
        [&] {
            RefusingHeap heap;
            zalRealloc(&block, 800, 4000, 4000);
        },
        "report level=1 context=[] files=0 block=intact");
}

// When no swap file can be made, the report says which file and why, after the out-of-memory message;
// without any temporary directory nothing is created anywhere (never in the root directory).
TEST_F(MemorySwapOut, AReportForASwapFileThatCannotBeMadeNamesTheFileAndTheReason) {
    velSetSwapCounterSource(&testCounter);
    // The child that dies is a process of its own, with its own identifier in the name.
    const std::string name = "vel-[0-9a-f]{8}-0003e8f5-temp";
    const struct {
        std::string configured; // the data store's directory
        std::string temp;       // the directory service's "temp"
        std::string says;
    } cases[] = {
        {directory + "/missing", directory,
         "The swap file " + directory + "/missing/" + name +
             " could not be created: No such file or directory"},
        {directory + "/file", directory,
         "The swap file " + directory + "/file/" + name + " could not be created: Not a directory"},
        {"", "", "The swap file " + name + " could not be created: no temporary directory is set"},
    };
    writeFile(directory + "/file", "not a directory");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        makeBlock(800);
        EXPECT_EXIT(
            {
                store->setString("Directories/Temp Directory", qstring(c.configured));
                host->directories->setDirectory("temp", qstring(c.temp));
                RefusingHeap heap;
                zalRealloc(&block, 800, 4000, 4000);
            },
            ::testing::ExitedWithCode(255),
            ::testing::ContainsRegex(std::string(kMessageStart) + "(.|\n)*" + c.says));
        std::free(block);
        block = nullptr;
    }
    EXPECT_EQ(directoryEntries(directory), std::vector<std::string>{"file"});
}

TEST_F(MemorySwapOut, AShortWriteDeletesTheFileAndEndsTheProcessWithTheBlockUntouched) {
    makeBlock(8192);
    expectOutOfMemoryEnd(
        [&] {
            // No file may grow past 4096 bytes: the write of 8192 comes up short. (The report on stderr,
            // which goes to a file too, stays well below that.)
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit {};
            limit.rlim_cur = limit.rlim_max = 4096;
            setrlimit(RLIMIT_FSIZE, &limit);
            RefusingHeap heap;
            zalRealloc(&block, 8192, 9000, 9000);
        },
        "report level=1 context=[] files=0 block=intact");
}

TEST_F(MemorySwapOut, NoNewBlockAfterTheSwapOutDeletesTheFileAndEndsTheProcess) {
    makeBlock(700);
    expectOutOfMemoryEnd(
        [&] {
            RefusingHeap heap;
            heap.failMalloc = [](size_t bytes) { return bytes == 3000; };
            zalRealloc(&block, 700, 3000, 3000);
        },
        "report level=1 context=[] files=0 block=null");
}

TEST_F(MemorySwapOut, AShortReadBackFreesTheNewBlockDeletesTheFileAndEndsTheProcess) {
    makeBlock(700);
    expectOutOfMemoryEnd(
        [&] {
            RefusingHeap heap;
            heap.onMalloc = [&](size_t bytes) {
                if (bytes != 3000)
                    return;
                // Someone cuts the swap file short before it is read back.
                for (const std::string& name : directoryEntries(directory))
                    truncate((directory + "/" + name).c_str(), 10);
            };
            errorOffer->get()->setListener([&](const VelHostErrorService::Report& report) {
                void* fresh = nullptr;
                for (size_t i = 0; i < heap.mallocs.size(); ++i)
                    if (heap.mallocs[i] == 3000)
                        fresh = heap.mallocResults[i];
                const bool freed =
                    fresh && std::find(heap.frees.begin(), heap.frees.end(), fresh) != heap.frees.end();
                std::fprintf(stderr, "report level=%d %s fresh=%s\n%s\n", int(report.level), status().c_str(),
                             freed ? "freed" : "kept", report.message.toStdString().c_str());
            });
            zalRealloc(&block, 700, 3000, 3000);
        },
        "report level=1 files=0 block=null fresh=freed");
}
