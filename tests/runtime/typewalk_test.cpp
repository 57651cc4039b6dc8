// The type walk: queryInterface with a null name records classes and interfaces, with their enclosing
// class, into the caller's record; stop names empty it; a skipped class leaves no trace.

#include "runtime/typewalk.h"
#include "runtime/velobject.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class IWalkFirst : public virtual IVelUnknown {};
class IWalkSecond : public virtual IVelUnknown {};

// A class without a base class: its class, then its interface.
class WalkBase : public virtual IWalkFirst {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "WalkBase", static_cast<WalkBase*>(this),
                          static_cast<IVelUnknown*>(this)))
            return true;
        return velCheckInterface(name, outOrWalk, "IWalkFirst", static_cast<IWalkFirst*>(this));
    }
    const char* className() override { return "WalkBase"; }
};

// A class with a base class: its class, the base's chain, its own interface, then one pop.
class WalkDerived : public WalkBase, public virtual IWalkSecond {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override {
        if (velCheckClass(name, outOrWalk, "WalkDerived", this, static_cast<IVelUnknown*>(this)))
            return true;
        const bool found = WalkBase::queryInterface(name, outOrWalk, reserved) ||
                           velCheckInterface(name, outOrWalk, "IWalkSecond", static_cast<IWalkSecond*>(this));
        velEndClassWalk(name, outOrWalk);
        return found;
    }
    const char* className() override { return "WalkDerived"; }
};

// A class marked to be skipped in walks.
class WalkHidden : public virtual IWalkFirst {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "WalkHidden", this, static_cast<IVelUnknown*>(this), true))
            return true;
        return velCheckInterface(name, outOrWalk, "IWalkFirst", static_cast<IWalkFirst*>(this));
    }
    const char* className() override { return "WalkHidden"; }
};

// A walk record with its two lists.
struct Record {
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    Record() {
        walk.classStack = &stack;
        walk.entries = &entries;
    }
    void stopAt(const char* name) { walk.stopNames.findOrInsert(PooledName(name)) = 7; }
    std::string entry(int32_t i) {
        VelWalkEntry* e = entries.at(i);
        return e ? std::string(e->name.textOrEmpty()) + "/" + std::to_string(e->kind) + "/" +
                       e->enclosing.textOrEmpty()
                 : "<none>";
    }
};

uint32_t hashOf(const char* text) {
    return VelHashTraits<PooledName>().hash(PooledName::borrowed(text));
}

TEST(StringsTypeWalkKey, HashIsDjb2OverSignedBytes) {
    EXPECT_EQ(hashOf("A"), 177638u);
    EXPECT_EQ(hashOf(""), 5381u);
    EXPECT_EQ(hashOf(nullptr), 0u);
    EXPECT_EQ(hashOf("\xff"), 5381u * 33u - 1u);
    EXPECT_EQ(hashOf("AB"), 177638u * 33u + 66u);
}

TEST(StringsTypeWalkKey, KeysAreEqualByTextNotByPointer) {
    VelHashTraits<PooledName> traits;
    const PooledName a("Name");
    EXPECT_TRUE(traits.equal(a, PooledName::borrowed("Name")));
    EXPECT_FALSE(traits.equal(a, PooledName::borrowed("name")));
    EXPECT_FALSE(traits.equal(a, PooledName::borrowed("Name2")));
    EXPECT_TRUE(traits.equal(PooledName(), PooledName()));
    EXPECT_FALSE(traits.equal(PooledName(), PooledName::borrowed("")));
}

TEST(StringsTypeWalk, ClassWithABaseRecordsInDeclarationOrderAndPopsOnce) {
    WalkDerived object;
    Record r;
    object.queryInterface(nullptr, &r.walk, 0);
    ASSERT_EQ(r.entries.count(), 4);
    EXPECT_EQ(r.entry(1), "WalkDerived/1/");
    EXPECT_EQ(r.entry(2), "WalkBase/1/WalkDerived");
    EXPECT_EQ(r.entry(3), "IWalkFirst/0/WalkBase");
    EXPECT_EQ(r.entry(4), "IWalkSecond/0/WalkBase");
    ASSERT_EQ(r.stack.count(), 1); // the class's own entry stays for the caller
    EXPECT_STREQ(r.stack.top().text, "WalkDerived");
    EXPECT_FALSE(r.walk.stopped);
}

TEST(StringsTypeWalk, ClassWithoutABaseDoesNotPopAndItsNamesAreBorrowed) {
    WalkBase object;
    Record r;
    EXPECT_FALSE(object.queryInterface(nullptr, &r.walk, 0));
    ASSERT_EQ(r.entries.count(), 2);
    EXPECT_EQ(r.entry(1), "WalkBase/1/");
    EXPECT_EQ(r.entry(2), "IWalkFirst/0/WalkBase");
    ASSERT_EQ(r.stack.count(), 1);
    const VelWalkEntry* cls = r.entries.at(1);
    EXPECT_EQ(cls->name.capacity, 0);
    EXPECT_EQ(r.entries.at(2)->enclosing.text, cls->name.text);
    EXPECT_EQ(r.stack.top().text, cls->name.text);
}

TEST(StringsTypeWalk, OwnedStackNamesAreCopiedIntoTheEnclosingClass) {
    Record r;
    r.stack.append(PooledName("Outer"));
    velWalkRecord(&r.walk, "IInner", 0);
    const VelWalkEntry* e = r.entries.at(1);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->enclosing.text, "Outer");
    EXPECT_NE(e->enclosing.text, r.stack.top().text);
}

TEST(StringsTypeWalk, AStopNameEmptiesBothListsAndTheRestOfTheWalkIsIgnored) {
    for (const char* stop : {"WalkDerived", "WalkBase", "IWalkSecond"}) {
        WalkDerived object;
        Record r;
        r.stopAt(stop);
        r.stopAt("walkbase"); // names compare exactly
        object.queryInterface(nullptr, &r.walk, 0);
        EXPECT_TRUE(r.walk.stopped) << stop;
        EXPECT_EQ(r.entries.count(), 0) << stop;
        EXPECT_EQ(r.stack.count(), 0) << stop;
    }
}

TEST(StringsTypeWalk, AStoppedRecordStaysStoppedAndEmpty) {
    Record r;
    velWalkRecord(&r.walk, "Before", 1);
    r.walk.stopped = true;
    WalkBase object;
    object.queryInterface(nullptr, &r.walk, 0);
    EXPECT_EQ(r.entries.count(), 0);
    EXPECT_EQ(r.stack.count(), 0);
    velWalkPop(&r.walk);
    EXPECT_EQ(r.stack.count(), 0);
    EXPECT_TRUE(r.walk.stopped);
}

TEST(StringsTypeWalk, ASkippedClassAnswersTrueAndLeavesTheRecordUnchanged) {
    WalkHidden object;
    Record r;
    velWalkRecord(&r.walk, "Earlier", 1);
    EXPECT_TRUE(object.queryInterface(nullptr, &r.walk, 0));
    EXPECT_EQ(r.entries.count(), 1);
    EXPECT_EQ(r.stack.count(), 1);
    EXPECT_FALSE(r.walk.stopped);
}

TEST(StringsTypeWalk, EmptyStacksMissingListsAndNullRecordsAreSafe) {
    Record r;
    velWalkPop(&r.walk);
    EXPECT_EQ(r.stack.count(), 0);
    VelTypeWalk bare;
    WalkDerived object;
    object.queryInterface(nullptr, &bare, 0);
    velWalkRecord(nullptr, "X", 1);
    velWalkPop(nullptr);
    bare.stopNames.findOrInsert(PooledName("WalkDerived"));
    object.queryInterface(nullptr, &bare, 0);
    EXPECT_TRUE(bare.stopped);
}

} // namespace
