// Framework objects: casts by class and interface name, reference counting with and without a host
// context, and the identifier type.

#include "runtime/typewalk.h"
#include "runtime/velid.h"
#include "runtime/velobject.h"
#include "testhostcontext.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class IAlpha : public virtual IVelUnknown {
public:
    virtual int alpha() = 0;
};

class IBeta : public virtual IVelUnknown {
public:
    virtual int beta() = 0;
};

// A class with an interface and no base class.
class Plain : public IAlpha {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "Plain", this, static_cast<IVelUnknown*>(this)))
            return true;
        return velCheckInterface(name, outOrWalk, "IAlpha", static_cast<IAlpha*>(this));
    }
    const char* className() override { return "Plain"; }
    int alpha() override { return 1; }
};

// A class with a base class and one more interface: own class, base chain, own interface, then a pop.
class Derived : public Plain, public IBeta {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override {
        if (velCheckClass(name, outOrWalk, "Derived", this, static_cast<IVelUnknown*>(this)))
            return true;
        bool found = Plain::queryInterface(name, outOrWalk, reserved);
        if (!found)
            found = velCheckInterface(name, outOrWalk, "IBeta", static_cast<IBeta*>(this));
        velEndClassWalk(name, outOrWalk);
        return found;
    }
    const char* className() override { return "Derived"; }
    int beta() override { return 2; }
};

// Tells what it saw of its own count while it was being deleted.
class Observed : public IVelUnknown {
public:
    explicit Observed(int32_t* countAtDeletion) : m_seen(countAtDeletion) {}
    ~Observed() override { *m_seen = refCount(); }
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        return velCheckClass(name, outOrWalk, "Observed", this, this);
    }
    const char* className() override { return "Observed"; }

private:
    int32_t* m_seen;
};

// A host context that records what the objects ask of it and decides deletions as told.
class ScriptedHost : public IVelHostContext {
public:
    int32_t findService(const PooledName*, void** out) override {
        *out = nullptr;
        return 0;
    }
    char characterValue() override { return 'S'; }
    void increment(int32_t* count) override {
        ++increments;
        *count += 10;
    }
    bool decrement(int32_t* count) override {
        ++decrements;
        *count -= 1;
        return deleteNow;
    }
    int increments = 0;
    int decrements = 0;
    bool deleteNow = false;
};

class RuntimeObject : public ::testing::Test {
protected:
    void SetUp() override { velSetHostContext(nullptr); }
    void TearDown() override { velSetHostContext(nullptr); }
};

VelID sample() {
    const uint8_t tail[8] = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x80};
    return VelID(0x01234567u, 0x89ab, 0xcdef, tail);
}

} // namespace

TEST_F(RuntimeObject, EveryNameLeadsToItsPartFromEveryInterface) {
    Derived object;
    IVelUnknown* unknown = static_cast<IVelUnknown*>(&object);
    IAlpha* alpha = &object;
    IBeta* beta = &object;
    for (IVelUnknown* from : {unknown, static_cast<IVelUnknown*>(alpha), static_cast<IVelUnknown*>(beta)}) {
        EXPECT_EQ(velCast<Derived>(from, "Derived"), &object);
        EXPECT_EQ(velCast<Plain>(from, "Plain"), static_cast<Plain*>(&object));
        EXPECT_EQ(velCast<IAlpha>(from, "IAlpha"), alpha);
        EXPECT_EQ(velCast<IBeta>(from, "IBeta"), beta);
        EXPECT_EQ(velCast<IVelUnknown>(from, "IVelUnknown"), unknown);
    }
    // The parts found are usable as what they were asked for.
    EXPECT_EQ(velCast<IAlpha>(unknown, "IAlpha")->alpha(), 1);
    EXPECT_EQ(velCast<IBeta>(alpha, "IBeta")->beta(), 2);
}

TEST_F(RuntimeObject, UnknownNamesAreRefusedWithANullOutParameter) {
    Derived object;
    for (const char* name : {"Other", "iAlpha", "IAlph", "IAlphaX", "IVelUnknownX", "ivelunknown", ""}) {
        void* out = &object;
        EXPECT_FALSE(object.queryInterface(name, &out, 0)) << name;
        EXPECT_EQ(out, nullptr) << name;
    }
    // A plain object does not answer the names of classes derived from it.
    Plain plain;
    void* out = &plain;
    EXPECT_FALSE(plain.queryInterface("Derived", &out, 0));
    EXPECT_EQ(out, nullptr);
    EXPECT_FALSE(plain.queryInterface("IBeta", &out, 0));
    EXPECT_EQ(out, nullptr);
}

TEST_F(RuntimeObject, QueriesWithoutAnOutParameterAreRefused) {
    Derived object;
    EXPECT_FALSE(object.queryInterface("Derived", nullptr, 0));
    EXPECT_FALSE(object.queryInterface("IBeta", nullptr, 0));
    EXPECT_EQ(velCast<IAlpha>(nullptr, "IAlpha"), nullptr);
}

TEST_F(RuntimeObject, ClassCheckOnANullObjectAnswersFalse) {
    void* out = reinterpret_cast<void*>(0x8);
    EXPECT_FALSE(velCheckClass("Plain", &out, "Plain", nullptr, nullptr));
    EXPECT_EQ(out, nullptr);
    out = reinterpret_cast<void*>(0x8);
    Plain plain;
    EXPECT_FALSE(velCheckClass("IVelUnknown", &out, "Plain", nullptr, &plain));
    EXPECT_EQ(out, nullptr);
}

TEST_F(RuntimeObject, TypeWalkRecordsClassesAndInterfacesInDeclarationOrder) {
    Derived object;
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;
    object.queryInterface(nullptr, &walk, 0);

    ASSERT_EQ(entries.count(), 4);
    EXPECT_STREQ(entries.at(1)->name.text, "Derived");
    EXPECT_EQ(entries.at(1)->kind, 1);
    EXPECT_STREQ(entries.at(2)->name.text, "Plain");
    EXPECT_EQ(entries.at(2)->kind, 1);
    EXPECT_STREQ(entries.at(2)->enclosing.text, "Derived");
    EXPECT_STREQ(entries.at(3)->name.text, "IAlpha");
    EXPECT_EQ(entries.at(3)->kind, 0);
    EXPECT_STREQ(entries.at(3)->enclosing.text, "Plain");
    EXPECT_STREQ(entries.at(4)->name.text, "IBeta");
    EXPECT_EQ(entries.at(4)->kind, 0);
    // One pop for the class with a base: its own entry stays for the caller.
    ASSERT_EQ(stack.count(), 1);
    EXPECT_STREQ(stack.at(1)->text, "Derived");
}

TEST_F(RuntimeObject, ClassMarkedToBeSkippedStopsTheWalkWithoutATrace) {
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;
    Plain plain;
    EXPECT_TRUE(velCheckClass(nullptr, &walk, "Plain", &plain, &plain, true));
    EXPECT_EQ(entries.count(), 0);
    EXPECT_EQ(stack.count(), 0);
    // A walk without a record is refused quietly.
    EXPECT_FALSE(velCheckClass(nullptr, nullptr, "Plain", &plain, &plain));
    EXPECT_FALSE(velCheckInterface(nullptr, nullptr, "IAlpha", static_cast<IAlpha*>(&plain)));
    velEndClassWalk(nullptr, nullptr);
}

TEST_F(RuntimeObject, WithoutAHostContextTheLastReleaseMarksAndDeletes) {
    int32_t seen = 0;
    auto* object = new Observed(&seen);
    object->addRef();
    EXPECT_EQ(object->refCount(), 1);
    object->release();
    EXPECT_EQ(seen, -42);
}

TEST_F(RuntimeObject, WithoutAHostContextAnObjectStillHeldStaysAlive) {
    int32_t seen = 0;
    auto* object = new Observed(&seen);
    EXPECT_EQ(object->refCount(), 0);
    object->addRef();
    object->addRef();
    object->release();
    EXPECT_EQ(object->refCount(), 1);
    EXPECT_EQ(seen, 0);
    object->release();
    EXPECT_EQ(seen, -42);
}

TEST_F(RuntimeObject, WithAHostContextTheHostCountsAndDecidesDeletion) {
    ScriptedHost host;
    velSetHostContext(&host);
    int32_t seen = -1;
    auto* object = new Observed(&seen);
    object->addRef();
    EXPECT_EQ(host.increments, 1);
    EXPECT_EQ(object->refCount(), 10);
    object->addRef();
    object->release();
    EXPECT_EQ(host.decrements, 1);
    EXPECT_EQ(object->refCount(), 19);
    EXPECT_EQ(seen, -1);
    // The host's answer, not the count, makes the object go; the module leaves the count to the host.
    host.deleteNow = true;
    object->release();
    EXPECT_EQ(host.decrements, 2);
    EXPECT_EQ(seen, 18);
}

TEST_F(RuntimeObject, ReferenceHostCountingMarksTheObjectJustBeforeDeletion) {
    TestHostContext host;
    velSetHostContext(&host);
    int32_t seen = 0;
    auto* object = new Observed(&seen);
    object->addRef();
    object->addRef();
    EXPECT_EQ(object->refCount(), 2);
    object->release();
    EXPECT_EQ(seen, 0);
    object->release();
    EXPECT_EQ(seen, -42);
}

TEST_F(RuntimeObject, CountsStayBalancedUnderTwoThreadsThroughTheHost) {
    TestHostContext host;
    velSetHostContext(&host);
    int32_t seen = 0;
    auto* object = new Observed(&seen);
    object->addRef();
    const int32_t start = object->refCount();

    constexpr int kPairs = 200000;
    std::atomic<bool> go{false};
    auto work = [&] {
        while (!go.load())
            std::this_thread::yield();
        for (int i = 0; i < kPairs; ++i) {
            object->addRef();
            object->release();
        }
    };
    std::thread a(work);
    std::thread b(work);
    go = true;
    a.join();
    b.join();
    EXPECT_EQ(object->refCount(), start);
    EXPECT_EQ(seen, 0);
    object->release();
    EXPECT_EQ(seen, -42);
}

TEST(RuntimeVelId, ZeroByDefaultAndEqualWhenAllSixteenBytesAre) {
    const VelID zero;
    EXPECT_EQ(zero.Data1, 0u);
    EXPECT_EQ(zero.Data2, 0u);
    EXPECT_EQ(zero.Data3, 0u);
    for (uint8_t b : zero.Data4)
        EXPECT_EQ(b, 0u);
    EXPECT_EQ(sample(), sample());
    EXPECT_NE(sample(), zero);
}

TEST(RuntimeVelId, EveryFieldTakesPartInEquality) {
    const VelID base = sample();
    VelID other = base;
    other.Data4[7] ^= 1;
    EXPECT_NE(base, other);
    EXPECT_FALSE(base == other);
    other = base;
    other.Data4[0] ^= 0x80;
    EXPECT_NE(base, other);
    other = base;
    other.Data3 ^= 1;
    EXPECT_NE(base, other);
    other = base;
    other.Data2 ^= 1;
    EXPECT_NE(base, other);
    other = base;
    other.Data1 ^= 1;
    EXPECT_NE(base, other);
}
