// VelArray: positions from 1, doubling growth, pop and count handling.

#include "runtime/velarray.h"

#include <gtest/gtest.h>

#include <climits>
#include <new>

TEST(RuntimeArray, GrowsFromZeroToTwoFourFourEight) {
    VelArray<int> array;
    EXPECT_EQ(array.capacity(), 0);
    EXPECT_EQ(array.count(), 0);
    const int expected[] = {2, 4, 4, 8, 8, 8, 8, 16};
    for (int i = 0; i < 8; ++i) {
        array.append(100 + i);
        EXPECT_EQ(array.capacity(), expected[i]) << "after append " << (i + 1);
        EXPECT_GT(array.capacity(), array.count());
    }
    EXPECT_EQ(array.count(), 8);
}

TEST(RuntimeArray, ElementsArePositionedFromOne) {
    VelArray<int> array;
    array.append(10);
    array.append(20);
    array.append(30);
    EXPECT_EQ(array.at(0), nullptr);
    ASSERT_NE(array.at(1), nullptr);
    EXPECT_EQ(*array.at(1), 10);
    EXPECT_EQ(*array.at(2), 20);
    EXPECT_EQ(*array.at(3), 30);
    EXPECT_EQ(array.at(4), nullptr);
    EXPECT_EQ(array.at(-1), nullptr);
    EXPECT_EQ(array.top(), 30);
    EXPECT_EQ(array.items()[1], 10);
}

TEST(RuntimeArray, GrowthKeepsTheElements) {
    VelArray<int> array;
    for (int i = 1; i <= 20; ++i)
        array.append(i * i);
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(*array.at(i), i * i);
    array.grow(100);
    EXPECT_EQ(array.capacity(), 128);
    EXPECT_EQ(*array.at(20), 400);
}

TEST(RuntimeArray, PopLeavesTheElementInItsSlot) {
    VelArray<int> array;
    array.append(1);
    array.append(2);
    array.pop();
    EXPECT_EQ(array.count(), 1);
    EXPECT_EQ(array.top(), 1);
    EXPECT_EQ(array.at(2), nullptr);
    EXPECT_EQ(array.items()[2], 2);
    array.append(3);
    EXPECT_EQ(*array.at(2), 3);
}

TEST(RuntimeArray, EmptyingByCountFreesNothingAndPopOfAnEmptyArrayIsHarmless) {
    VelArray<int> array;
    array.pop();
    EXPECT_EQ(array.count(), 0);
    array.append(5);
    array.append(6);
    const int capacity = array.capacity();
    array.setCount(0);
    EXPECT_EQ(array.count(), 0);
    EXPECT_EQ(array.capacity(), capacity);
    array.pop();
    EXPECT_EQ(array.count(), 0);
    array.append(7);
    EXPECT_EQ(*array.at(1), 7);
}

TEST(RuntimeArray, GrowthBeyondWhatThirtyTwoBitsCountRefusesInsteadOfWrapping) {
    VelArray<int> a;
    EXPECT_THROW(a.grow(INT32_MAX), std::bad_alloc);
    EXPECT_THROW(a.grow(-1), std::bad_alloc);
    EXPECT_EQ(a.capacity(), 0);
    a.append(7);
    EXPECT_EQ(*a.at(1), 7);
}
