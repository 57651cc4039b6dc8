// The shapes that other modules of a process read and write: the pool's block header and class layout,
// its free stacks, the pooled strings, the identifier and the walk record. The module's own platform is
// 32-bit, where these are the shared contract; 64-bit builds pin what they have, since every pointer
// there is 8 bytes and 8-aligned, which moves each pointer field and everything after it.

#include "memory/bucketpool.h"
#include "runtime/pooledstring.h"
#include "runtime/typewalk.h"
#include "runtime/velid.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or a 64-bit build");
constexpr bool kNarrow = sizeof(void*) == 4;
// The measure of a shape on 32-bit and on 64-bit builds.
constexpr size_t W(size_t narrow, size_t wide) {
    return kNarrow ? narrow : wide;
}

using WalkNames = VelHashMap<PooledName, int32_t>;
using WalkNode = WalkNames::Node;

// Plain records: every field offset is known to the compiler.
static_assert(sizeof(BucketEntry) == W(8, 16) && offsetof(BucketEntry, capacity) == 0 &&
              offsetof(BucketEntry, block) == W(4, 8));
static_assert(sizeof(Bucket) == W(12, 24) && offsetof(Bucket, capacity) == 0 &&
              offsetof(Bucket, entries) == W(4, 8) && offsetof(Bucket, top) == W(8, 16));
static_assert(sizeof(PooledName) == W(8, 16) && offsetof(PooledName, text) == 0 &&
              offsetof(PooledName, capacity) == W(4, 8));
static_assert(sizeof(PooledString) == W(24, 48) && offsetof(PooledString, text) == 0 &&
              offsetof(PooledString, capacity) == W(4, 8) && offsetof(PooledString, second) == W(8, 16) &&
              offsetof(PooledString, secondCapacity) == W(12, 24) &&
              offsetof(PooledString, third) == W(16, 32) &&
              offsetof(PooledString, thirdCapacity) == W(20, 40));
static_assert(sizeof(VelWalkEntry) == W(20, 40) && offsetof(VelWalkEntry, name) == 0 &&
              offsetof(VelWalkEntry, kind) == W(8, 16) && offsetof(VelWalkEntry, enclosing) == W(12, 24));
static_assert(sizeof(WalkNode) == W(20, 40) && offsetof(WalkNode, bucket) == 0 &&
              offsetof(WalkNode, key) == W(4, 8) && offsetof(WalkNode, value) == W(12, 24) &&
              offsetof(WalkNode, next) == W(16, 32));
static_assert(sizeof(VelTypeWalk) == W(28, 48) && offsetof(VelTypeWalk, classStack) == 0 &&
              offsetof(VelTypeWalk, entries) == W(4, 8) && offsetof(VelTypeWalk, stopNames) == W(8, 16) &&
              offsetof(VelTypeWalk, stopped) == W(24, 40));
// Classes with a table pointer first: sizes here, field offsets measured on live objects below.
static_assert(sizeof(VelID) == W(20, 24));
static_assert(sizeof(WalkNames) == W(16, 24) && sizeof(VelArray<PooledName>) == W(12, 24));
// The pool: its table pointer, five 32-bit fields (a pointer among them), then the shared root part
// (table pointer and reference count) of its virtual base.
static_assert(sizeof(BucketMemoryPool) == W(32, 56));

// One field of a live object: where it lies, and where it must lie in either width.
struct Field {
    const char* name;
    size_t offset;
    size_t narrow;
    size_t wide;
};

size_t offsetIn(const void* object, const void* field) {
    return size_t(static_cast<const char*>(field) - static_cast<const char*>(object));
}

void expectFields(const std::vector<Field>& fields) {
    for (const Field& f : fields)
        EXPECT_EQ(f.offset, W(f.narrow, f.wide)) << f.name;
}

// The value of type T stored `offset` bytes into object.
template <class T> T at(const void* object, size_t offset) {
    T value;
    std::memcpy(&value, static_cast<const char*>(object) + offset, sizeof value);
    return value;
}

} // namespace

TEST(RuntimeLayout, TheIdentifierIsATablePointerAndAGuid) {
    const uint8_t tail[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const VelID id(0x11223344u, 0x5566, 0x7788, tail);
    expectFields({{"Data1", offsetIn(&id, &id.Data1), 4, 8},
                  {"Data2", offsetIn(&id, &id.Data2), 8, 12},
                  {"Data3", offsetIn(&id, &id.Data3), 10, 14},
                  {"Data4", offsetIn(&id, &id.Data4), 12, 16}});
    // The 16 bytes after the table pointer are the GUID, in the system's byte order.
    const uint8_t guid[16] = {0x44, 0x33, 0x22, 0x11, 0x66, 0x55, 0x88, 0x77, 1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&id) + W(4, 8), guid, 16), 0);
}

TEST(RuntimeLayout, TheWalkRecordsContainersKeepTheirFieldOrder) {
    WalkNames names(2);
    VelArray<PooledName> stack;
    names.findOrInsert(PooledName::borrowed("IVelUnknown")) = 7;
    stack.append(PooledName::borrowed("MelvoroStyle"));
    // Hash map: buckets, bucket count, element count. Array: capacity, items, count.
    EXPECT_EQ(at<uint32_t>(&names, W(4, 8)), names.bucketCount());
    EXPECT_EQ(at<int32_t>(&names, W(8, 12)), names.count());
    EXPECT_EQ(at<int32_t>(&stack, 0), stack.capacity());
    EXPECT_EQ(at<PooledName*>(&stack, W(4, 8)), stack.items());
    EXPECT_EQ(at<int32_t>(&stack, W(8, 16)), 1);
    WalkNode* const* buckets = at<WalkNode* const*>(&names, 0);
    ASSERT_NE(buckets, nullptr);
    const WalkNode* node = nullptr;
    for (uint32_t i = 0; i < names.bucketCount() && !node; ++i)
        node = buckets[i];
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->key.text, "IVelUnknown");
    EXPECT_EQ(node->value, 7);
}

TEST(RuntimeLayout, EveryBlockStartsWithAHeaderWordNamingItsAllocator) {
    for (int32_t size : {1, 8192, 262145}) {
        int32_t capacity = 0;
        void* block = poolAllocate(size, &capacity);
        ASSERT_NE(block, nullptr) << size;
        EXPECT_EQ(at<BucketMemoryAllocator*>(static_cast<char*>(block) - W(4, 8), 0),
                  BucketMemoryAllocator::instance())
            << size;
        poolRelease(&block, capacity);
    }
}

TEST(RuntimeLayout, ThePoolsFieldsFollowItsTablePointer) {
    // A pool made current and then replaced: the module lets go of it, this test holds the last reference.
    auto* pool = new BucketMemoryPool;
    pool->addRef();
    new BucketMemoryPool;
    ASSERT_NE(velCurrentPool(), pool);

    int32_t capacity = 0;
    void* block = pool->allocate(16, &capacity);
    ASSERT_TRUE(pool->deallocate(capacity, &block));
    int32_t index = 0;
    ASSERT_TRUE(BucketMemoryPool::sizeClass(16, &index, &capacity));

    // Bucket count, bucket table, granularity, linear limit, largest pooled size.
    EXPECT_EQ(at<int32_t>(pool, W(4, 8)), pool->bucketCount());
    Bucket* const* table = at<Bucket* const*>(pool, W(8, 16));
    ASSERT_NE(table, nullptr);
    ASSERT_NE(pool->bucketAt(index), nullptr);
    EXPECT_EQ(table[index], pool->bucketAt(index));
    EXPECT_EQ(table[index]->top, 1);
    EXPECT_EQ(table[index]->entries[1].capacity, 16);
    EXPECT_EQ(at<int32_t>(pool, W(12, 24)), BucketMemoryPool::kGranularity);
    EXPECT_EQ(at<int32_t>(pool, W(16, 28)), BucketMemoryPool::kLinearLimit);
    EXPECT_EQ(at<int32_t>(pool, W(20, 32)), BucketMemoryPool::kLargestPooled);
    pool->release();
}
