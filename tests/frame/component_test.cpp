// The component object linked into this program: type walk, host context hand-over, and creation through
// the module-wide class factory.

#include "frame/classfactory.h"
#include "frame/component.h"
#include "runtime/modulereferences.h"
#include "runtime/services.h"
#include "runtime/typewalk.h"
#include "testhostcontext.h"
#if !defined(MELVORO_RUNTIME_ONLY)
#include "host/dirservice.h"
#endif

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Each test starts and ends without a host context in this program's runtime.
class FrameComponent : public ::testing::Test {
protected:
    void SetUp() override { velSetHostContext(nullptr); }
    void TearDown() override { velSetHostContext(nullptr); }

    static VelBaseComponent* newComponent() {
        IVelComponent* c = velComponentFactory()->createComponent();
        return velCast<VelBaseComponent>(c, "VelBaseComponent");
    }
};

class Gadget : public IVelUnknown {
public:
    static int constructed;
    Gadget() { ++constructed; }
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        return velCheckClass(name, outOrWalk, "Gadget", this, this);
    }
    const char* className() override { return "Gadget"; }
};
int Gadget::constructed = 0;

class Faulty : public IVelUnknown {
public:
    Faulty() { throw std::runtime_error("constructor failed"); }
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        return velCheckClass(name, outOrWalk, "Faulty", this, this);
    }
    const char* className() override { return "Faulty"; }
};

VelID makeId(uint32_t d1, uint8_t last) {
    const uint8_t tail[8] = {0xc0, 0x4f, 0, 0, 0, 0, 0, last};
    return VelID(d1, 0x1234, 0x5678, tail);
}

// Static lifetime: the module-wide registry keeps pointers to its item factories.
VelTClassItemFactory<Gadget>& gadgetFactory() {
    static VelTClassItemFactory<Gadget> factory("Gadget", makeId(0xf00d0001u, 1));
    return factory;
}
VelTClassItemFactory<Faulty>& faultyFactory() {
    static VelTClassItemFactory<Faulty> factory("Faulty", makeId(0xf00d0002u, 2));
    return factory;
}

} // namespace

TEST_F(FrameComponent, TypeWalkOfTheComponentAnswersTrueAndRecordsNothing) {
    VelBaseComponent* c = newComponent();
    c->addRef();
    VelArray<PooledName> stack;
    VelArray<VelWalkEntry> entries;
    VelTypeWalk walk;
    walk.classStack = &stack;
    walk.entries = &entries;
    IVelCompInternal* internal = c;
    const bool stopped = internal->queryInterface(nullptr, &walk, 0);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(entries.count(), 0);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(walk.stopped);
    c->release();
}

TEST_F(FrameComponent, InitializeSetsTheHostContextAndTheLastOneWins) {
    TestHostContext first('1');
    TestHostContext second('2');
    VelBaseComponent* a = newComponent();
    VelBaseComponent* b = newComponent();
    a->initialize(&first);
    EXPECT_EQ(velHostContext(), &first);
    b->initialize(&second);
    EXPECT_EQ(velHostContext(), &second);
    // Terminate leaves the host context in place.
    a->terminate();
    EXPECT_EQ(velHostContext(), &second);
    // Counted by the host from now on: the host's decrement decides the deletion.
    a->addRef();
    EXPECT_EQ(a->refCount(), 1);
    a->release();
    b->addRef();
    b->release();
}

#if !defined(MELVORO_RUNTIME_ONLY)
// The host's last word to the module is the release of its last component: the module's module-wide
// references go back then, while the host context still counts (a host may end its context before the
// module unloads). A later use looks the service up again.
TEST_F(FrameComponent, TheLastComponentToGoGivesTheModuleWideReferencesBack) {
    VelHostContext host;
    auto* directories = new VelHostDirService;
    directories->addRef();
    host.offer<IVelDirService>(directories);
    VelBaseComponent* a = newComponent();
    VelBaseComponent* b = newComponent();
    a->initialize(&host);
    a->addRef();
    b->addRef();
    VelModuleService<IVelDirService> holder;
    ASSERT_EQ(holder.get(), static_cast<IVelDirService*>(directories));
    EXPECT_EQ(directories->refCount(), 3);
    a->release();
    EXPECT_EQ(directories->refCount(), 3);
    b->release();
    EXPECT_EQ(directories->refCount(), 2);
    EXPECT_EQ(holder.get(), static_cast<IVelDirService*>(directories));
    EXPECT_EQ(directories->refCount(), 3);
    holder.letGo();
    host.withdrawAll();
    EXPECT_EQ(directories->refCount(), 1);
    directories->release();
}
#endif

TEST_F(FrameComponent, CreatesRegisteredClassesThroughTheModuleClassFactory) {
    gadgetFactory();
    VelBaseComponent* c = newComponent();
    c->addRef();
    const int before = Gadget::constructed;
    IVelUnknown* first = nullptr;
    IVelUnknown* second = nullptr;
    EXPECT_EQ(c->createObject(gadgetFactory().classId(), &first), 1);
    EXPECT_EQ(c->createObject(gadgetFactory().classId(), &second), 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(Gadget::constructed, before + 2);
    EXPECT_EQ(first->refCount(), 0);
    EXPECT_STREQ(c->className(gadgetFactory().classId()), "Gadget");
    EXPECT_GE(c->classCount(), 1);

    // The listing reaches the class exactly once.
    int seen = 0;
    VelID id;
    for (bool more = c->firstClass(id); more; more = c->nextClass(id))
        seen += id == gadgetFactory().classId() ? 1 : 0;
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(c->nextClass(id));

    first->addRef();
    first->release();
    second->addRef();
    second->release();
    c->release();
}

TEST_F(FrameComponent, ExceptionFromAClassConstructorReachesTheCaller) {
    faultyFactory();
    VelBaseComponent* c = newComponent();
    c->addRef();
    IVelUnknown* out = nullptr;
    EXPECT_THROW(c->createObject(faultyFactory().classId(), &out), std::runtime_error);
    EXPECT_EQ(out, nullptr);
    c->release();
}

TEST_F(FrameComponent, CustomizerReportsSuccessWhenThereIsNothingToRegister) {
    EXPECT_TRUE(velCustomizer()->onInitialize());
    EXPECT_TRUE(velCustomizer()->onTerminate());
}
