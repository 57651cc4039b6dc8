// How the process ends when memory runs out: the translated message through the host's error service
// and exit status -1 (read as 255), and the different end of a failed size check without a handler.
// Each case runs in a child process; what the child reported is read from its stderr.

#include "memory/outofmemory.h"
#include "memory/zalrealloc.h"

#include "frame/component.h"
#include "host/asserthandler.h"
#include "host/datastore.h"
#include "host/errorservice.h"
#include "host/translatorservice.h"
#include "memory/bucketpool.h"
#include "memorytesthost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using ::testing::AllOf;
using ::testing::ExitedWithCode;
using ::testing::HasSubstr;
using ::testing::Not;

const char kFullMessage[] = "While running this function, you have run out of memory.\n"
                            "The application will close. After restarting, please read\n"
                            "the online help about \"Memory Optimization\".";

// What the echoing error service writes for the message when the memory manager was asked `asks` times.
std::string fullReport(int asks) {
    return "report level=1 context=[] asks=" + std::to_string(asks) + "\n" + kFullMessage;
}

class MemoryOutOfMemory : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        host = &resetMemoryTestHost();
    }

    // Offers the echoing error service for the rest of the (child) process.
    void offerErrorService() {
        VelHostErrorService* service =
            makeEchoingErrorService([this] { return "asks=" + std::to_string(host->manager->asks()); });
        host->context.offer<IVelErrorService>(service);
    }

    // Prepares the (child) process for a pool that swaps out: the echoing error service, `directory` as
    // the temporary directory, and a pool of its own with a first-size table, current for the module.
    void offerSwappingPool(const std::string& directory) {
        offerErrorService();
        auto* store = new VelHostDataStore;
        store->setString("Directories/Temp Directory", qstring(directory));
        host->context.offer<IDataStore>(store);
        new BucketMemoryPool;
    }

    MemoryTestHost* host = nullptr;
};

// A malloc of an odd size the heap refuses; the pool's own blocks (multiples of 4 plus the header) still
// come, so the message can be prepared.
void mallocOnARefusingHeap() {
    static HeapFaults* heap = new HeapFaults;
    heap->failMalloc = [](size_t bytes) { return bytes == 777; };
    char* block = nullptr;
    zalMalloc(&block, 777);
}

} // namespace

TEST_F(MemoryOutOfMemory, TheMessageGoesToTheErrorServiceWithLevelOneAndTheEmptyContext) {
    EXPECT_EXIT(
        {
            offerErrorService();
            mallocOnARefusingHeap();
        },
        ExitedWithCode(255), HasSubstr(fullReport(1) + "\n"));
}

TEST_F(MemoryOutOfMemory, WithoutAnErrorServiceTheProcessEndsAllTheSame) {
    EXPECT_EXIT(mallocOnARefusingHeap(), ExitedWithCode(255), Not(HasSubstr("report")));
}

TEST_F(MemoryOutOfMemory, TheMessageIsTranslatedByTheHostsTranslator) {
    EXPECT_EXIT(
        {
            offerErrorService();
            auto* translators = new VelHostTranslatorService;
            translators->tableTranslator(velComponentId())
                ->add(kFullMessage, QStringLiteral("Kein Speicher mehr."));
            host->context.offer<IVelTranslatorService>(translators);
            mallocOnARefusingHeap();
        },
        ExitedWithCode(255),
        AllOf(HasSubstr("report level=1 context=[]"), HasSubstr("\nKein Speicher mehr.\n"),
              Not(HasSubstr("While running"))));
}

TEST_F(MemoryOutOfMemory, EveryFailureCodeShowsTheSameMessage) {
    for (int32_t code : {-1, -2, -3, -4, -5}) {
        EXPECT_EXIT(
            {
                offerErrorService();
                velNotifyOutOfMemory(code);
            },
            ExitedWithCode(255), HasSubstr(kFullMessage))
            << "code " << code;
    }
}

TEST_F(MemoryOutOfMemory, OtherCodesShowNothingAndStillEndTheProcess) {
    for (int32_t code : {0, -6, 1, INT32_MIN}) {
        EXPECT_EXIT(
            {
                offerErrorService();
                velNotifyOutOfMemory(code);
            },
            ExitedWithCode(255), Not(HasSubstr("report")))
            << "code " << code;
    }
}

// A size whose bytes do not fit 32 bits can never be allocated: no heap call, no memory manager, the
// out-of-memory end at once.
TEST_F(MemoryOutOfMemory, AMallocBeyond32BitsEndsTheProcessWithoutAskingTheHeap) {
    EXPECT_EXIT(
        {
            offerErrorService();
            host->manager->setReserve(5);
            static HeapFaults* heap = new HeapFaults;
            heap->onMalloc = [](size_t bytes) { std::fprintf(stderr, "malloc %zu\n", bytes); };
            void* block = nullptr;
            zalMalloc(&block, 16, 1 << 28);
        },
        ExitedWithCode(255),
        AllOf(HasSubstr("report level=1 context=[] asks=0\nWhile running"), Not(HasSubstr("malloc 0\n")),
              Not(::testing::ContainsRegex("malloc [0-9]{7,}"))));
}

// Translating the message allocates. When that allocation fails as well, the process ends there and
// then instead of notifying again and again until the stack runs out.
TEST_F(MemoryOutOfMemory, AFailureWhilePreparingTheMessageEndsTheProcess) {
    EXPECT_EXIT(
        {
            offerErrorService();
            static HeapFaults* heap = new HeapFaults;
            heap->failMalloc = [](size_t) { return true; };
            // Empties the pool's free stacks, so translating the message needs the heap.
            if (BucketMemoryPool* pool = velCurrentPool())
                pool->releaseAll();
            char* block = nullptr;
            zalMalloc(&block, 64);
        },
        ExitedWithCode(255), Not(HasSubstr("report")));
}

// The pool's table is being swapped out when the new table cannot be had. The table is gone at that
// moment, yet the message must still be translated and shown, which allocates from that same pool.
TEST_F(MemoryOutOfMemory, ThePoolStillServesTheMessageWhenItsOwnTableCannotGrow) {
    const std::string directory = scratchDirectory("pool-table-growth");
    const NoLeakCheckInChildren abruptEnd;
    EXPECT_EXIT(
        {
            offerSwappingPool(directory);
            if (velCurrentPool()->bucketCount() != 2050)
                std::_Exit(3);
            static HeapFaults* heap = new HeapFaults;
            const size_t table = 2051 * sizeof(void*);
            heap->failRealloc = [](size_t) { return true; };
            heap->failMalloc = [table](size_t bytes) { return bytes == table; };
            int32_t capacity = 0;
            poolAllocate(40000, &capacity);
        },
        ExitedWithCode(255), HasSubstr(fullReport(1)));
    EXPECT_TRUE(directoryEntries(directory).empty());
}

// The same for a free stack: the stack of the very class the message needs is out on disk when its new
// array cannot be had.
TEST_F(MemoryOutOfMemory, ThePoolStillServesTheMessageWhenAFreeStackCannotGrow) {
    const std::string directory = scratchDirectory("pool-stack-growth");
    const NoLeakCheckInChildren abruptEnd;
    EXPECT_EXIT(
        {
            offerSwappingPool(directory);
            // The class of the translated message's text.
            const int32_t size = int32_t((std::strlen(kVelOutOfMemoryMessage) + 1) * sizeof(char16_t));
            void* blocks[9];
            int32_t capacity = 0;
            for (void*& b : blocks)
                b = poolAllocate(size, &capacity);
            for (int i = 0; i < 8; ++i)
                poolRelease(&blocks[i], capacity);
            static HeapFaults* heap = new HeapFaults;
            heap->failRealloc = [](size_t) { return true; };
            // The first malloc once the swap file exists is the stack's new array.
            heap->failMalloc = [directory](size_t) { return !directoryEntries(directory).empty(); };
            poolRelease(&blocks[8], capacity);
        },
        ExitedWithCode(255), HasSubstr(fullReport(1)));
    EXPECT_TRUE(directoryEntries(directory).empty());
}

TEST_F(MemoryOutOfMemory, AFailedCheckWithoutAHandlerEndsTheProcessWithoutAReport) {
    EXPECT_EXIT(
        {
            offerErrorService();
            char* block = static_cast<char*>(std::malloc(4));
            zalRealloc(&block, 4, 10, 6);
        },
        ExitedWithCode(255), Not(HasSubstr("report")));
}

TEST_F(MemoryOutOfMemory, AFailedCheckWithAHandlerLetsTheCallGoOn) {
    ScopedService<IVelAssertHandlerCB, VelHostAssertHandler> asserts(host->context, new VelHostAssertHandler);
    char* block = static_cast<char*>(std::malloc(4));
    EXPECT_EQ(zalRealloc(&block, 4, 10, 6), 6);
    EXPECT_EQ(asserts->count(), 2);
    std::free(block);
}
