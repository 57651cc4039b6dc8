// The built module as a host sees it: loaded from its file, entered through EntryPoint, given a host
// context, asked for its identity, casts, counts, classes and tests.

#include "frame/component.h"
#include "host/errorservice.h"
#include "host/hostcontext.h"
#include "host/moduleloader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <dlfcn.h>

namespace {

const QString kModule = QStringLiteral(MELVORO_MODULE_PATH);

// Counts what the module's objects ask of the host context, and counts as the reference host does.
class RecordingHost : public VelHostContext {
public:
    using VelHostContext::VelHostContext;
    void increment(int32_t* count) override {
        ++increments;
        VelHostContext::increment(count);
    }
    bool decrement(int32_t* count) override {
        ++decrements;
        const bool gone = VelHostContext::decrement(count);
        if (gone)
            ++deletions;
        return gone;
    }
    std::atomic<int> increments{0};
    std::atomic<int> decrements{0};
    std::atomic<int> deletions{0};
};

class CountingVisitor : public IVelTestVisitor {
public:
    void visit(void*) override { ++visits; }
    int visits = 0;
};

bool moduleIsMapped() {
    void* handle = dlopen(MELVORO_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

// Each test gets the module freshly loaded, so module-wide state (the host context, the class list)
// starts as at the host's first load.
class ModuleIntegration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(moduleIsMapped()) << "an earlier test left the module loaded";
        errors = new VelHostErrorService;
        errors->addRef();
        host.offer<IVelErrorService>(errors);
        ASSERT_TRUE(loader.load(kModule)) << qPrintable(loader.errorString());
        component = loader.component();
        internal = loader.internal();
        ASSERT_NE(internal, nullptr);
    }
    void TearDown() override {
        loader.unload();
        host.withdrawAll();
        errors->release();
    }

    // A further component straight from the module's entry, owned by the caller (count 0).
    IVelComponent* newComponent() {
        auto entry = reinterpret_cast<VelModuleLoader::EntryPointFunction>(loader.symbol("EntryPoint"));
        int32_t version = 0;
        IVelComponent* c = nullptr;
        if (!entry || entry(&version, &c) != 1)
            return nullptr;
        return c;
    }

    RecordingHost host{'M'};
    VelHostErrorService* errors = nullptr;
    VelModuleLoader loader;
    IVelComponent* component = nullptr;
    IVelCompInternal* internal = nullptr;
};

} // namespace

TEST(ModuleEntry, NullComponentParameterReturnsZeroAndLeavesTheVersion) {
    void* handle = dlopen(MELVORO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto entry = reinterpret_cast<int32_t (*)(int32_t*, IVelComponent**)>(dlsym(handle, "EntryPoint"));
    ASSERT_NE(entry, nullptr);
    int32_t version = 55;
    EXPECT_EQ(entry(&version, nullptr), 0);
    EXPECT_EQ(version, 55);
    dlclose(handle);
}

TEST(ModuleEntry, EachCallGivesANewComponentWithCountZeroAndVersion100) {
    void* handle = dlopen(MELVORO_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto entry = reinterpret_cast<int32_t (*)(int32_t*, IVelComponent**)>(dlsym(handle, "EntryPoint"));
    ASSERT_NE(entry, nullptr);
    int32_t v1 = 0;
    int32_t v2 = 0;
    IVelComponent* a = nullptr;
    IVelComponent* b = nullptr;
    EXPECT_EQ(entry(&v1, &a), 1);
    EXPECT_EQ(entry(&v2, &b), 1);
    EXPECT_EQ(v1, 100);
    EXPECT_EQ(v2, 100);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(a->refCount(), 0);
    EXPECT_EQ(b->refCount(), 0);
    a->addRef();
    a->release();
    b->addRef();
    b->release();
    dlclose(handle);
}

TEST_F(ModuleIntegration, UnloadReallyUnloadsTheModule) {
    EXPECT_TRUE(moduleIsMapped());
    loader.unload();
    EXPECT_FALSE(moduleIsMapped());
}

TEST_F(ModuleIntegration, IdentityIsTheSameFromEveryComponentBeforeAndAfterInitialize) {
    IVelComponent* other = newComponent();
    ASSERT_NE(other, nullptr);
    other->addRef();
    auto* otherInternal = velCast<IVelCompInternal>(other, "IVelCompInternal");
    ASSERT_NE(otherInternal, nullptr);

    const VelID id = *internal->componentId();
    EXPECT_NE(id, VelID());
    for (int round = 0; round < 2; ++round) {
        for (IVelCompInternal* c : {internal, otherInternal}) {
            EXPECT_STREQ(c->componentName(), "MelvoroGUI");
            EXPECT_STREQ(c->componentBuildStamp(), "2010-12-16 11:42");
            EXPECT_EQ(*c->componentId(), id);
            EXPECT_TRUE(c->isComponent());
        }
        EXPECT_STREQ(component->buildStamp(), "2010-12-16 11:42");
        EXPECT_STREQ(other->buildStamp(), "2010-12-16 11:42");
        component->initialize(&host);
    }
    other->release();
}

TEST_F(ModuleIntegration, AnswersItsNamesAndRefusesOthers) {
    auto* asComponent = velCast<IVelComponent>(component, "IVelComponent");
    auto* asInternal = velCast<IVelCompInternal>(component, "IVelCompInternal");
    auto* asUnknown = velCast<IVelUnknown>(component, "IVelUnknown");
    ASSERT_NE(asComponent, nullptr);
    ASSERT_NE(asInternal, nullptr);
    ASSERT_NE(asUnknown, nullptr);
    EXPECT_EQ(asComponent, component);
    EXPECT_NE(velCast<void>(component, "VelBaseComponent"), nullptr);
    EXPECT_NE(static_cast<void*>(asComponent), static_cast<void*>(asInternal));
    EXPECT_EQ(velCast<IVelUnknown>(asInternal, "IVelUnknown"), asUnknown);
    EXPECT_EQ(velCast<IVelComponent>(asInternal, "IVelComponent"), asComponent);
    EXPECT_EQ(velCast<void>(asInternal, "VelBaseComponent"), velCast<void>(component, "VelBaseComponent"));
    EXPECT_STREQ(asUnknown->className(), "VelBaseComponent");

    void* out = component;
    EXPECT_FALSE(component->queryInterface("IVelClassFactory", &out, 0));
    EXPECT_EQ(out, nullptr);
    out = component;
    EXPECT_FALSE(asInternal->queryInterface("velbasecomponent", &out, 0));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(component->refCount(), 1);
}

TEST_F(ModuleIntegration, CountsByItselfBeforeInitialize) {
    IVelComponent* other = newComponent();
    ASSERT_NE(other, nullptr);
    other->addRef();
    other->addRef();
    EXPECT_EQ(other->refCount(), 2);
    other->release();
    EXPECT_EQ(other->refCount(), 1);
    other->release();
    EXPECT_EQ(host.increments, 0);
    EXPECT_EQ(host.decrements, 0);
}

TEST_F(ModuleIntegration, CountsThroughTheHostAfterInitialize) {
    component->initialize(&host);
    IVelComponent* other = newComponent();
    ASSERT_NE(other, nullptr);
    other->addRef();
    other->addRef();
    EXPECT_EQ(other->refCount(), 2);
    EXPECT_EQ(host.increments, 2);
    other->release();
    EXPECT_EQ(host.decrements, 1);
    EXPECT_EQ(host.deletions, 0);
    other->release();
    EXPECT_EQ(host.decrements, 2);
    EXPECT_EQ(host.deletions, 1);
    // The loader's reference, taken before initialize, is let go through the host as well.
    loader.unload();
    EXPECT_EQ(host.deletions, 2);
}

TEST_F(ModuleIntegration, ClassesAppearWithTheFirstInitializeOnly) {
    EXPECT_EQ(internal->classCount(), 0);
    VelID id;
    EXPECT_FALSE(internal->firstClass(id));
    EXPECT_FALSE(internal->nextClass(id));

    component->initialize(&host);
    const int32_t count = internal->classCount();
    EXPECT_EQ(loader.classIds().size(), count);

    // Another component's initialize registers nothing further; its host context is the one in use.
    RecordingHost later('L');
    IVelComponent* other = newComponent();
    ASSERT_NE(other, nullptr);
    other->initialize(&later);
    EXPECT_EQ(internal->classCount(), count);
    other->addRef();
    other->release();
    EXPECT_EQ(later.increments, 1);
    EXPECT_EQ(later.deletions, 1);
    EXPECT_EQ(host.increments, 0);
    // Hand the module back the fixture's host before `later` goes away.
    component->initialize(&host);
}

TEST_F(ModuleIntegration, OffersTheStyleClassAfterInitialize) {
    component->initialize(&host);
    EXPECT_EQ(internal->classCount(), 1);
    VelID styleId;
    ASSERT_TRUE(loader.findClass(QStringLiteral("MelvoroStyle"), &styleId));
    VelID listed;
    ASSERT_TRUE(internal->firstClass(listed));
    EXPECT_EQ(listed, styleId);
    EXPECT_FALSE(internal->nextClass(listed));
    EXPECT_STREQ(internal->className(styleId), "MelvoroStyle");
}

TEST_F(ModuleIntegration, StyleCannotBeCreatedBeforeInitialize) {
    // Learn the style's identifier from a first life of the module.
    component->initialize(&host);
    VelID styleId;
    ASSERT_TRUE(loader.findClass(QStringLiteral("MelvoroStyle"), &styleId));
    loader.unload();
    ASSERT_FALSE(moduleIsMapped());

    ASSERT_TRUE(loader.load(kModule));
    component = loader.component();
    internal = loader.internal();
    EXPECT_EQ(internal->classCount(), 0);
    IVelUnknown* out = nullptr;
    EXPECT_EQ(component->createObject(styleId, &out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(internal->className(styleId), nullptr);
}

TEST_F(ModuleIntegration, UnknownClassesAreNeitherNamedNorCreated) {
    component->initialize(&host);
    const uint8_t tail[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    const VelID unknown(0x0badc0deu, 1, 1, tail);
    IVelUnknown* sentinel = reinterpret_cast<IVelUnknown*>(0x40);
    IVelUnknown* out = sentinel;
    EXPECT_EQ(component->createObject(unknown, &out), 0);
    EXPECT_EQ(out, sentinel);
    EXPECT_EQ(internal->className(unknown), nullptr);
}

TEST_F(ModuleIntegration, RunTestsWithAVisitorVisitsNothing) {
    component->initialize(&host);
    CountingVisitor visitor;
    internal->runTests(&visitor);
    EXPECT_EQ(visitor.visits, 0);
    EXPECT_EQ(errors->reportCount(), 0);
}

TEST_F(ModuleIntegration, RunTestsWithoutAVisitorReportsTwiceToTheErrorService) {
    component->initialize(&host);
    internal->runTests(nullptr);
    const auto reports = errors->reports();
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].message, QStringLiteral("Unable to get test service"));
    EXPECT_EQ(reports[1].message, QStringLiteral("M"));
    for (const auto& r : reports) {
        EXPECT_EQ(r.level, 1);
        EXPECT_TRUE(r.context.isEmpty());
    }
    // The module keeps no reference on the service after reporting.
    EXPECT_EQ(errors->refCount(), 2);
}

TEST_F(ModuleIntegration, RunTestsBeforeInitializeReportsNothing) {
    internal->runTests(nullptr);
    EXPECT_EQ(errors->reportCount(), 0);
    EXPECT_EQ(host.lookups("IVelErrorService"), 0);
}
