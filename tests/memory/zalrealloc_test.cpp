// The guarded allocator: every resize case, the halving retries with the memory manager, failed checks,
// and sizes that do not fit 32 bits. The swap-out and the exits have their own files.

#include "memory/zalrealloc.h"

#include "host/asserthandler.h"
#include "host/errorservice.h"
#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace {

class MemoryZalRealloc : public ::testing::Test {
protected:
    void SetUp() override { host = &resetMemoryTestHost(); }
    void TearDown() override { host->manager->setReserve(0); }

    // A C-heap block of `count` ints holding 1, 2, 3, ...
    static int32_t* numbered(int32_t count) {
        auto* block = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * size_t(count)));
        std::iota(block, block + count, 1);
        return block;
    }

    MemoryTestHost* host = nullptr;
};

} // namespace

TEST_F(MemoryZalRealloc, CurrentEqualToMinimumLeavesTheBlockAlone) {
    int32_t* block = numbered(10);
    int32_t* const before = block;
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, 10, 10, 50), 10);
    EXPECT_EQ(block, before);
    EXPECT_TRUE(heap.mallocs.empty());
    EXPECT_TRUE(heap.reallocs.empty());
    EXPECT_TRUE(heap.frees.empty());
    std::free(block);
}

TEST_F(MemoryZalRealloc, AFirstAllocationGetsExactlyTheMinimum) {
    HeapFaults heap;
    int32_t* block = nullptr;
    EXPECT_EQ(zalRealloc(&block, 0, 9, 16), 9);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(heap.mallocs.size(), 1u);
    EXPECT_EQ(heap.mallocs[0], 9 * sizeof(int32_t));
    std::free(block);
}

// A block that holds no elements must not be lost when the first real allocation replaces it.
TEST_F(MemoryZalRealloc, AnEmptyBlockIsGivenBackBeforeItIsReplaced) {
    int32_t* block = static_cast<int32_t*>(std::malloc(1));
    void* const empty = block;
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, 0, 5, 5), 5);
    ASSERT_EQ(heap.frees.size(), 1u);
    EXPECT_EQ(heap.frees[0], empty);
    std::memset(block, 0, 5 * sizeof(int32_t));
    std::free(block);
}

TEST_F(MemoryZalRealloc, AMaximumBelowCurrentShrinksToTheMaximum) {
    int32_t* block = numbered(8);
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, 8, 4, 4), 4);
    ASSERT_EQ(heap.reallocs.size(), 1u);
    EXPECT_EQ(heap.reallocs[0], 4 * sizeof(int32_t));
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[3], 4);
    std::free(block);
}

TEST_F(MemoryZalRealloc, AMaximumOfZeroFreesTheBlockAfterTheCheckIsReported) {
    ScopedService<IVelAssertHandlerCB, VelHostAssertHandler> asserts(host->context, new VelHostAssertHandler);
    int32_t* block = numbered(8);
    void* const old = block;
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, 8, 4, 0), 0);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(heap.frees.size(), 1u);
    EXPECT_EQ(heap.frees[0], old);
    ASSERT_EQ(asserts->count(), 1);
    EXPECT_EQ(asserts->records()[0].condition, "maxNewSize >= minNewSize");
    EXPECT_EQ(asserts->records()[0].file, "zalrealloc");
    EXPECT_EQ(asserts->records()[0].line, 344);
}

// The heap may refuse even a shrink; the old block is still valid and still holds every element.
TEST_F(MemoryZalRealloc, AShrinkTheHeapRefusesKeepsTheOldBlock) {
    int32_t* block = numbered(8);
    int32_t* const before = block;
    HeapFaults heap;
    heap.failRealloc = [](size_t) { return true; };
    EXPECT_EQ(zalRealloc(&block, 8, 4, 4), 8);
    EXPECT_EQ(block, before);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(block[i], i + 1);
    EXPECT_TRUE(heap.frees.empty());
    std::free(block);
}

TEST_F(MemoryZalRealloc, AMinimumNotAboveCurrentKeepsTheBlockEvenWithALargerMaximum) {
    int32_t* block = numbered(8);
    int32_t* const before = block;
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, 8, 6, 20), 8);
    EXPECT_EQ(block, before);
    EXPECT_TRUE(heap.reallocs.empty());
    std::free(block);
}

TEST_F(MemoryZalRealloc, AMaximumOfMinusOneStandsForTheMinimum) {
    int32_t* block = numbered(4);
    {
        HeapFaults heap;
        EXPECT_EQ(zalRealloc(&block, 4, 6, -1), 6);
        ASSERT_EQ(heap.reallocs.size(), 1u);
        EXPECT_EQ(heap.reallocs[0], 6 * sizeof(int32_t));
    }
    {
        HeapFaults heap;
        EXPECT_EQ(zalRealloc(&block, 6, 2, -1), 2);
        ASSERT_EQ(heap.reallocs.size(), 1u);
        EXPECT_EQ(heap.reallocs[0], 2 * sizeof(int32_t));
    }
    EXPECT_EQ(block[1], 2);
    std::free(block);
}

TEST_F(MemoryZalRealloc, GrowingTakesTheMaximumAndZeroFillsTheNewElements) {
    int32_t* block = numbered(4);
    EXPECT_EQ(zalRealloc(&block, 4, 5, 8), 8);
    const int32_t expected[8] = {1, 2, 3, 4, 0, 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(block[i], expected[i]) << i;
    std::free(block);
}

TEST_F(MemoryZalRealloc, WhenTheMaximumFailsTheMidpointIsTried) {
    int32_t* block = numbered(4);
    HeapFaults heap;
    heap.failRealloc = [](size_t bytes) { return bytes == 20 * sizeof(int32_t); };
    EXPECT_EQ(zalRealloc(&block, 4, 6, 20), 13);
    ASSERT_EQ(heap.reallocs.size(), 2u);
    EXPECT_EQ(heap.reallocs[1], 13 * sizeof(int32_t));
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(block[i], i < 4 ? i + 1 : 0) << i;
    std::free(block);
}

// Every attempt of one failing growth: the full maximum, two halvings without the memory manager, four
// halvings and the minimum itself with it. The manager is asked once per 24 KiB of shortfall plus once,
// and once more: a shortfall of 50000 bytes (d = 3) gets four asks.
TEST_F(MemoryZalRealloc, HalvingRetriesAskTheManagerInProportionToTheShortfall) {
    host->manager->setReserve(100);
    char* block = static_cast<char*>(std::malloc(1000));
    std::memset(block, 7, 1000);
    HeapFaults heap;
    heap.failRealloc = [](size_t bytes) { return bytes != 41000; };
    EXPECT_EQ(zalRealloc(&block, 1000, 41000, 121000), 41000);

    std::vector<size_t> expected{121000, 81000, 61000};
    expected.insert(expected.end(), 5, 51000);
    expected.insert(expected.end(), 4, 46000);
    expected.insert(expected.end(), 4, 43500);
    expected.insert(expected.end(), 4, 42250);
    expected.insert(expected.end(), 4, 41625);
    expected.push_back(41000);
    EXPECT_EQ(heap.reallocs, expected);
    EXPECT_EQ(host->manager->asks(), 4 + 3 + 3 + 3 + 3);
    EXPECT_EQ(block[999], 7);
    EXPECT_EQ(block[1000], 0);
    EXPECT_EQ(block[40999], 0);
    std::free(block);
}

TEST_F(MemoryZalRealloc, AManagerWithNothingLeftIsNotAskedAgainInThatCall) {
    host->manager->setReserve(1);
    char* block = static_cast<char*>(std::malloc(1000));
    HeapFaults heap;
    heap.failRealloc = [](size_t bytes) { return bytes != 41000; };
    EXPECT_EQ(zalRealloc(&block, 1000, 41000, 121000), 41000);
    const std::vector<size_t> expected{121000, 81000, 61000, 51000, 51000, 46000, 43500, 42250, 41625, 41000};
    EXPECT_EQ(heap.reallocs, expected);
    EXPECT_EQ(host->manager->asks(), 2);
    std::free(block);
}

TEST_F(MemoryZalRealloc, AMallocThatFailsIsRetriedWhileTheManagerGivesMemoryBack) {
    host->manager->setReserve(2);
    HeapFaults heap;
    int failures = 2;
    heap.failMalloc = [&failures](size_t) { return failures-- > 0; };
    char* block = nullptr;
    EXPECT_EQ(zalMalloc(&block, 100), 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(heap.mallocs.size(), 3u);
    EXPECT_EQ(host->manager->asks(), 2);
    EXPECT_EQ(host->manager->reserve(), 0);
    std::free(block);
}

// Both checks of a growth with a maximum below its minimum reach the handler, and the call goes on.
TEST_F(MemoryZalRealloc, AMaximumBelowTheMinimumIsReportedTwiceWhenGrowing) {
    ScopedService<IVelAssertHandlerCB, VelHostAssertHandler> asserts(host->context, new VelHostAssertHandler);
    char* block = static_cast<char*>(std::malloc(2));
    EXPECT_EQ(zalRealloc(&block, 2, 8, 4), 4);
    const auto records = asserts->records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].condition, "maxNewSize >= minNewSize");
    EXPECT_EQ(records[0].line, 344);
    EXPECT_EQ(records[1].condition, "minNewSize > curSize && maxNewSize >= minNewSize");
    EXPECT_EQ(records[1].file, "zalrealloc");
    EXPECT_EQ(records[1].line, 365);
    std::free(block);
}

// 16 x 2^28 bytes is 2^32: in 32 bits that would be a request for 0 bytes. Such a size is a failed
// attempt, never a short block: smaller attempts follow and the result really holds what it says.
TEST_F(MemoryZalRealloc, AByteSizeBeyond32BitsIsAFailedAttemptNotAShortBlock) {
    struct Element {
        char bytes[16];
    };
    Element* block = static_cast<Element*>(std::malloc(sizeof(Element)));
    HeapFaults heap;
    heap.failRealloc = [](size_t bytes) { return bytes > (1u << 20); };
    const int32_t count = zalRealloc(&block, 1, 2, 1 << 28);
    EXPECT_EQ(count, 2);
    for (size_t bytes : heap.reallocs) {
        EXPECT_GE(bytes, 2 * sizeof(Element));
        EXPECT_LE(bytes, size_t(INT_MAX));
    }
    std::memset(block, 1, sizeof(Element) * size_t(count));
    std::free(block);
}

TEST_F(MemoryZalRealloc, ANegativeCurrentCountTouchesNothing) {
    int32_t* block = numbered(4);
    int32_t* const before = block;
    HeapFaults heap;
    EXPECT_EQ(zalRealloc(&block, -3, 6, 9), -3);
    EXPECT_EQ(block, before);
    EXPECT_TRUE(heap.reallocs.empty());
    EXPECT_TRUE(heap.frees.empty());
    std::free(block);
}

TEST_F(MemoryZalRealloc, ANullBlockReferenceIsRefused) {
    HeapFaults heap;
    EXPECT_EQ(zalMalloc(nullptr, 4, 10), 0);
    EXPECT_EQ(zalRealloc(nullptr, 4, 0, 10, 20), 0);
    EXPECT_TRUE(heap.mallocs.empty());
}
