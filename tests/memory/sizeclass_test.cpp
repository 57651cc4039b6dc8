// Size classes of the bucket pool: which class a byte count falls in and the capacity handed out.

#include "memory/bucketpool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace {

struct ClassCase {
    int32_t size;
    int32_t index;
    int32_t capacity;
};

} // namespace

TEST(MemorySizeClass, BoundarySizesGetTheirClassAndCapacity) {
    const ClassCase cases[] = {
        {0, 0, 4},
        {1, 0, 4},
        {4, 0, 4},
        {5, 1, 8},
        {8, 1, 8},
        {13, 3, 16},
        {8189, 2047, 8192},
        {8192, 2047, 8192},
        {8193, 2048, 16384},
        {16384, 2048, 16384},
        {16385, 2049, 32768},
        {32769, 2050, 65536},
        {65537, 2051, 131072},
        {131073, 2052, 262144},
        {262144, 2052, 262144},
    };
    for (const ClassCase& c : cases) {
        int32_t index = -1;
        int32_t capacity = -1;
        ASSERT_TRUE(BucketMemoryPool::sizeClass(c.size, &index, &capacity)) << c.size;
        EXPECT_EQ(index, c.index) << "size " << c.size;
        EXPECT_EQ(capacity, c.capacity) << "size " << c.size;
    }
}

TEST(MemorySizeClass, SizesOutsideThePooledRangeHaveNoClass) {
    int32_t index = 77;
    int32_t capacity = 77;
    EXPECT_FALSE(BucketMemoryPool::sizeClass(262145, &index, &capacity));
    EXPECT_FALSE(BucketMemoryPool::sizeClass(-1, &index, &capacity));
    EXPECT_FALSE(BucketMemoryPool::sizeClass(INT32_MIN, &index, &capacity));
    EXPECT_FALSE(BucketMemoryPool::sizeClass(INT32_MAX, &index, &capacity));
    EXPECT_EQ(index, 77);
    EXPECT_EQ(capacity, 77);
}

// Every pooled size: the capacity covers the size, wastes less than one step of its class, and is a
// function of the class index alone; indexes never go down as sizes grow and never skip a class.
TEST(MemorySizeClass, EverySizeUpToTheLargestKeepsTheClassInvariants) {
    int32_t previousIndex = 0;
    int32_t previousCapacity = 4;
    for (int32_t size = 0; size <= 262145; ++size) {
        int32_t index = -1;
        int32_t capacity = -1;
        const bool pooled = BucketMemoryPool::sizeClass(size, &index, &capacity);
        if (size > 262144) {
            ASSERT_FALSE(pooled) << size;
            continue;
        }
        ASSERT_TRUE(pooled) << size;
        ASSERT_GE(capacity, size) << size;
        ASSERT_GE(capacity, 4) << size;
        if (size <= 8192) {
            ASSERT_EQ(capacity % 4, 0) << size;
            ASSERT_LT(capacity - std::max(size, 1), 4) << size;
            ASSERT_EQ(index, capacity / 4 - 1) << size;
        } else {
            ASSERT_EQ(capacity & (capacity - 1), 0) << "a power of two for " << size;
            ASSERT_LT(capacity / 2, size) << size;
        }
        ASSERT_TRUE(index == previousIndex || index == previousIndex + 1) << size;
        if (index == previousIndex)
            ASSERT_EQ(capacity, previousCapacity) << size;
        else
            ASSERT_GT(capacity, previousCapacity) << size;
        ASSERT_LE(index, 2052) << size;
        previousIndex = index;
        previousCapacity = capacity;
    }
    EXPECT_EQ(previousIndex, 2052);
}
