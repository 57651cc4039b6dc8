// VelHashMap keyed by VelID: the prime table, growth at load 0.8, bucket placement and iteration order.

#include "runtime/velhashmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using IdMap = VelHashMap<VelID, int>;

VelID key(uint32_t d1, uint8_t last = 0) {
    const uint8_t tail[8] = {9, 8, 7, 6, 5, 4, 3, last};
    return VelID(d1, 1, 2, tail);
}

std::vector<uint32_t> listedData1(const IdMap& map) {
    std::vector<uint32_t> order;
    for (const IdMap::Node* n = map.first(); n; n = map.next(n))
        order.push_back(n->key.Data1);
    return order;
}

} // namespace

TEST(RuntimeHashMap, NextPrimeComesFromTheTable) {
    EXPECT_EQ(velNextPrime(99), 131u);
    EXPECT_EQ(velNextPrime(131), 257u);
    EXPECT_EQ(velNextPrime(130), 131u);
    EXPECT_EQ(velNextPrime(0), 2u);
    EXPECT_EQ(velNextPrime(1), 2u);
    EXPECT_EQ(velNextPrime(2), 3u);
    EXPECT_EQ(velNextPrime(257), 521u);
    EXPECT_EQ(velNextPrime(1073741826u), 1073741827u);
    EXPECT_EQ(velNextPrime(1073741827u), 2147483659u);
    EXPECT_EQ(velNextPrime(2147483659u), 2147483659u);
    EXPECT_EQ(velNextPrime(4294967295u), 2147483659u);
    EXPECT_EQ(velNextPrime(uint64_t(1) << 40), 2147483659u);
}

TEST(RuntimeHashMap, NewMapHasNoBucketsYetButHandsBackTheIndex) {
    IdMap map(99);
    EXPECT_EQ(map.bucketCount(), 131u);
    EXPECT_EQ(map.count(), 0);
    EXPECT_EQ(map.first(), nullptr);
    uint32_t bucket = 0;
    EXPECT_EQ(map.find(key(135), &bucket), nullptr);
    EXPECT_EQ(bucket, 4u);
}

TEST(RuntimeHashMap, HoldsHundredAndFourInHundredThirtyOneBucketsAndGrowsAtTheNext) {
    IdMap map(99);
    for (uint32_t i = 0; i < 104; ++i)
        map.findOrInsert(key(i * 7919u)) = int(i);
    EXPECT_EQ(map.bucketCount(), 131u);
    EXPECT_EQ(map.count(), 104);
    map.findOrInsert(key(104 * 7919u)) = 104;
    EXPECT_EQ(map.bucketCount(), 257u);
    EXPECT_EQ(map.count(), 105);
    for (uint32_t i = 0; i < 105; ++i) {
        const IdMap::Node* n = map.find(key(i * 7919u));
        ASSERT_NE(n, nullptr) << i;
        EXPECT_EQ(n->value, int(i));
        // Every node knows its bucket under the new count.
        EXPECT_EQ(n->bucket, (i * 7919u) % 257u);
    }
}

TEST(RuntimeHashMap, AtTwoHundredFiftySevenTheTwoHundredSixthGrowsTo521) {
    IdMap map(131);
    ASSERT_EQ(map.bucketCount(), 257u);
    for (uint32_t i = 0; i < 205; ++i)
        map.findOrInsert(key(i));
    EXPECT_EQ(map.bucketCount(), 257u);
    map.findOrInsert(key(205));
    EXPECT_EQ(map.bucketCount(), 521u);
    EXPECT_EQ(map.count(), 206);
    EXPECT_EQ(listedData1(map).size(), 206u);
}

TEST(RuntimeHashMap, FindOrInsertOfAKnownKeyGivesItsSlot) {
    IdMap map(10);
    map.findOrInsert(key(5)) = 50;
    int& slot = map.findOrInsert(key(5));
    EXPECT_EQ(slot, 50);
    EXPECT_EQ(map.count(), 1);
    slot = 51;
    EXPECT_EQ(map.find(key(5))->value, 51);
}

TEST(RuntimeHashMap, SameData1KeysShareABucketWithTheLaterFirst) {
    IdMap map(99);
    map.findOrInsert(key(42, 1)) = 1;
    map.findOrInsert(key(42, 2)) = 2;
    EXPECT_EQ(map.count(), 2);
    const IdMap::Node* head = map.first();
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->key, key(42, 2));
    EXPECT_EQ(head->bucket, 42u);
    const IdMap::Node* second = map.next(head);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->key, key(42, 1));
    EXPECT_EQ(second->bucket, 42u);
    EXPECT_EQ(map.next(second), nullptr);
    EXPECT_EQ(map.find(key(42, 1))->value, 1);
    EXPECT_EQ(map.find(key(42, 3)), nullptr);
}

TEST(RuntimeHashMap, IteratesBucketsInIndexOrderAndChainsFromTheHead) {
    IdMap map(10); // 11 buckets
    map.findOrInsert(key(7));
    map.findOrInsert(key(3));
    map.findOrInsert(key(14)); // bucket 3, linked after 3
    map.findOrInsert(key(0));
    EXPECT_EQ(listedData1(map), (std::vector<uint32_t>{0, 14, 3, 7}));
    EXPECT_EQ(map.next(nullptr), nullptr);
}

TEST(RuntimeHashMap, ClearEmptiesButKeepsTheBucketCount) {
    IdMap map(10);
    for (uint32_t i = 0; i < 9; ++i)
        map.findOrInsert(key(i));
    const uint32_t buckets = map.bucketCount();
    EXPECT_GT(buckets, 11u);
    map.clear();
    EXPECT_EQ(map.count(), 0);
    EXPECT_EQ(map.bucketCount(), buckets);
    EXPECT_EQ(map.first(), nullptr);
    EXPECT_EQ(map.find(key(1)), nullptr);
    map.findOrInsert(key(1)) = 3;
    EXPECT_EQ(map.find(key(1))->value, 3);
}

TEST(RuntimeHashMap, RehashToZeroOrTheSameCountOrWithoutBucketsDoesNothing) {
    IdMap map(10);
    map.rehash(37);
    EXPECT_EQ(map.bucketCount(), 11u); // no bucket array yet
    map.findOrInsert(key(1));
    map.rehash(0);
    EXPECT_EQ(map.bucketCount(), 11u);
    map.rehash(11);
    EXPECT_EQ(map.bucketCount(), 11u);
    map.rehash(37);
    EXPECT_EQ(map.bucketCount(), 37u);
    EXPECT_NE(map.find(key(1)), nullptr);
}
