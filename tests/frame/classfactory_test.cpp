// The class registry behind the module's class factory: registration, listing, naming and creation,
// growth of its hash map, failures while registering or creating, and the one-time class registration.

#include "frame/classfactory.h"
#include "frame/classregistry.h"
#include "frame/component.h"

#include "heapfailure.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

class Widgetoid : public IVelUnknown {
public:
    static int alive;
    Widgetoid() { ++alive; }
    ~Widgetoid() override { --alive; }
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        return velCheckClass(name, outOrWalk, "Widgetoid", this, this);
    }
    const char* className() override { return "Widgetoid"; }
};
int Widgetoid::alive = 0;

class Sprocket : public Widgetoid {
public:
    const char* className() override { return "Sprocket"; }
};

// An item factory that does not register itself anywhere, for registries made by the tests.
template <class T> class LooseFactory : public VelItemFactory {
public:
    LooseFactory(const char* name, const VelID& id) : VelItemFactory(name, id) {}
    IVelUnknown* create(int32_t* status) override {
        *status = 1;
        return new T();
    }
};

VelID idOf(uint32_t d1, uint8_t last = 0) {
    const uint8_t tail[8] = {1, 2, 3, 4, 5, 6, 7, last};
    return VelID(d1, 0xabcd, 0xef01, tail);
}

void dispose(IVelUnknown* object) {
    object->addRef();
    object->release();
}

} // namespace

TEST(FrameClassRegistry, EmptyRegistryKnowsNothing) {
    VelClassRegistry registry;
    EXPECT_EQ(registry.count(), 0);
    EXPECT_EQ(registry.bucketCount(), 131u);
    VelID out = idOf(77);
    EXPECT_FALSE(registry.first(out));
    EXPECT_EQ(out, idOf(77));
    IVelUnknown* sentinel = reinterpret_cast<IVelUnknown*>(0x20);
    IVelUnknown* object = sentinel;
    EXPECT_EQ(registry.create(idOf(1), &object), 0);
    EXPECT_EQ(object, sentinel);
    EXPECT_EQ(registry.className(idOf(1)), nullptr);
}

TEST(FrameClassRegistry, NextBeforeAnyFirstAnswersFalse) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> factory("Widgetoid", idOf(5));
    registry.add(&factory);
    VelID out = idOf(99);
    EXPECT_FALSE(registry.next(out));
    EXPECT_EQ(out, idOf(99));
}

TEST(FrameClassRegistry, OneRegistrationIsListedNamedAndCreated) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> factory("Widgetoid", idOf(10));
    registry.add(&factory);
    EXPECT_EQ(registry.count(), 1);

    VelID out;
    ASSERT_TRUE(registry.first(out));
    EXPECT_EQ(out, idOf(10));
    VelID after = idOf(42);
    EXPECT_FALSE(registry.next(after));
    EXPECT_EQ(after, idOf(42));
    // Past the end it stays past the end.
    EXPECT_FALSE(registry.next(after));
    EXPECT_STREQ(registry.className(idOf(10)), "Widgetoid");

    const int before = Widgetoid::alive;
    IVelUnknown* a = nullptr;
    IVelUnknown* b = nullptr;
    EXPECT_EQ(registry.create(idOf(10), &a), 1);
    EXPECT_EQ(registry.create(idOf(10), &b), 1);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->refCount(), 0);
    EXPECT_EQ(Widgetoid::alive, before + 2);
    dispose(a);
    dispose(b);
    EXPECT_EQ(Widgetoid::alive, before);
}

TEST(FrameClassRegistry, IdentifiersDifferingOnlyInTheLastByteAreDistinctClasses) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> a("A", idOf(7, 0));
    LooseFactory<Widgetoid> b("B", idOf(7, 1));
    registry.add(&a);
    registry.add(&b);
    EXPECT_EQ(registry.count(), 2);
    EXPECT_STREQ(registry.className(idOf(7, 0)), "A");
    EXPECT_STREQ(registry.className(idOf(7, 1)), "B");
}

TEST(FrameClassRegistry, SecondRegistrationOfAnIdentifierReplacesTheFirst) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> earlier("Widgetoid", idOf(3));
    LooseFactory<Sprocket> later("Sprocket", idOf(3));
    registry.add(&earlier);
    registry.add(&later);
    EXPECT_EQ(registry.count(), 1);
    EXPECT_STREQ(registry.className(idOf(3)), "Sprocket");
    IVelUnknown* object = nullptr;
    ASSERT_EQ(registry.create(idOf(3), &object), 1);
    EXPECT_STREQ(object->className(), "Sprocket");
    dispose(object);
}

TEST(FrameClassRegistry, NullFactoryIsIgnored) {
    VelClassRegistry registry;
    registry.add(nullptr);
    EXPECT_EQ(registry.count(), 0);
}

TEST(FrameClassRegistry, CreateWithoutAPlaceForTheObjectMakesNone) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> factory("Widgetoid", idOf(12));
    registry.add(&factory);
    const int before = Widgetoid::alive;
    EXPECT_EQ(registry.create(idOf(12), nullptr), 0);
    EXPECT_EQ(Widgetoid::alive, before);
}

TEST(FrameClassRegistry, HundredAndFiveClassesGrowTheBucketsAndAreListedOnce) {
    VelClassRegistry registry;
    std::vector<std::unique_ptr<LooseFactory<Widgetoid>>> factories;
    for (uint32_t i = 0; i < 105; ++i) {
        // Identifiers spread over the buckets and, for some, sharing one.
        factories.emplace_back(
            new LooseFactory<Widgetoid>("Widgetoid", idOf(i * 131u + (i % 3), uint8_t(i))));
        registry.add(factories.back().get());
        EXPECT_EQ(registry.bucketCount(), i < 104 ? 131u : 257u) << "after " << (i + 1) << " registrations";
    }
    EXPECT_EQ(registry.count(), 105);
    for (const auto& f : factories)
        EXPECT_EQ(registry.find(f->classId()), f.get());

    std::set<uint32_t> listed;
    int listings = 0;
    VelID id;
    for (bool more = registry.first(id); more; more = registry.next(id)) {
        ++listings;
        listed.insert(id.Data1);
    }
    EXPECT_EQ(listings, 105);
    EXPECT_EQ(listed.size(), 105u);
}

TEST(FrameClassRegistry, FirstRestartsTheSharedEnumeration) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> a("A", idOf(1));
    LooseFactory<Widgetoid> b("B", idOf(2));
    registry.add(&a);
    registry.add(&b);
    VelID first;
    VelID second;
    ASSERT_TRUE(registry.first(first));
    ASSERT_TRUE(registry.next(second));
    VelID again;
    ASSERT_TRUE(registry.first(again));
    EXPECT_EQ(again, first);
    VelID next;
    ASSERT_TRUE(registry.next(next));
    EXPECT_EQ(next, second);
}

TEST(FrameClassRegistry, RefusedHeapDuringRegistrationLeavesTheRegistryAsItWas) {
    VelClassRegistry registry;
    LooseFactory<Widgetoid> factory("Widgetoid", idOf(21));
    {
        HeapFailure failure;
        EXPECT_THROW(registry.add(&factory), std::bad_alloc);
        EXPECT_GE(HeapFailure::refused(), 1);
    }
    EXPECT_EQ(registry.count(), 0);
    EXPECT_EQ(registry.find(idOf(21)), nullptr);
    registry.add(&factory);
    EXPECT_EQ(registry.count(), 1);
    EXPECT_EQ(registry.find(idOf(21)), &factory);
}

TEST(FrameClassRegistry, RefusedHeapDuringCreationReachesTheCallerWithStatusSet) {
    LooseFactory<Widgetoid> factory("Widgetoid", idOf(22));
    int32_t status = 0;
    {
        HeapFailure failure;
        EXPECT_THROW(factory.create(&status), std::bad_alloc);
    }
    EXPECT_EQ(status, 1);

    VelClassRegistry registry;
    registry.add(&factory);
    IVelUnknown* out = nullptr;
    {
        HeapFailure failure;
        EXPECT_THROW(registry.create(idOf(22), &out), std::bad_alloc);
    }
    EXPECT_EQ(out, nullptr);
}

TEST(FrameClassFactory, ItemFactoriesRegisterThemselvesInTheModuleClassFactory) {
    static VelTClassItemFactory<Widgetoid> factory("Widgetoid", idOf(0x5eed0001u));
    VelDefaultClassFactory* classes = VelDefaultClassFactory::instance();
    ASSERT_NE(classes, nullptr);
    EXPECT_EQ(VelDefaultClassFactory::instance(), classes);
    EXPECT_STREQ(classes->className(idOf(0x5eed0001u)), "Widgetoid");
    EXPECT_STREQ(factory.className(), "Widgetoid");
    EXPECT_GE(classes->count(), 1);

    int32_t status = 0;
    IVelUnknown* direct = factory.create(&status);
    EXPECT_EQ(status, 1);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(direct->refCount(), 0);
    dispose(direct);

    IVelUnknown* created = nullptr;
    EXPECT_EQ(classes->create(idOf(0x5eed0001u), &created), 1);
    ASSERT_NE(created, nullptr);
    EXPECT_STREQ(created->className(), "Widgetoid");
    dispose(created);
}

namespace {

int g_registrationRuns = 0;
bool g_registrationFails = true;

void flakyRegistration() {
    ++g_registrationRuns;
    if (g_registrationFails)
        throw std::bad_alloc();
    velRegisterClass<Widgetoid>("Widgetoid", idOf(0x5eed0002u));
}

} // namespace

TEST(FrameClassFactory, ModuleClassesAreRegisteredOnceAndRetriedAfterAFailure) {
    VelModuleClasses classes(&flakyRegistration);

    // A registration that throws leaves the guard unset: the customizer reports the failure and the next
    // initialize tries again.
    EXPECT_THROW(velRegisterModuleClasses(), std::bad_alloc);
    EXPECT_EQ(g_registrationRuns, 1);
    EXPECT_FALSE(velCustomizer()->onInitialize());
    EXPECT_EQ(g_registrationRuns, 2);
    EXPECT_EQ(VelDefaultClassFactory::instance()->className(idOf(0x5eed0002u)), nullptr);

    g_registrationFails = false;
    EXPECT_TRUE(velCustomizer()->onInitialize());
    EXPECT_EQ(g_registrationRuns, 3);
    EXPECT_STREQ(VelDefaultClassFactory::instance()->className(idOf(0x5eed0002u)), "Widgetoid");
    const int32_t count = VelDefaultClassFactory::instance()->count();

    // Later runs register nothing further.
    EXPECT_TRUE(velCustomizer()->onInitialize());
    velRegisterModuleClasses();
    EXPECT_EQ(g_registrationRuns, 3);
    EXPECT_EQ(VelDefaultClassFactory::instance()->count(), count);
}

TEST(FrameClassFactory, StaticItemFactoryIsRetriedWhenItsRegistrationRunsOutOfMemory) {
    const VelID id = idOf(0x5eed0003u);
    {
        HeapFailure failure;
        EXPECT_THROW((velRegisterClass<Sprocket>("Sprocket", id)), std::bad_alloc);
    }
    EXPECT_EQ(VelDefaultClassFactory::instance()->className(id), nullptr);
    velRegisterClass<Sprocket>("Sprocket", id);
    EXPECT_STREQ(VelDefaultClassFactory::instance()->className(id), "Sprocket");
}
