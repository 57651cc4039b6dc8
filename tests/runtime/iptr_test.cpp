// IPtr and SPtr: one reference per holder, taken before the old one is dropped; services found by name
// through the host context; the error report that goes through them.

#include "host/errorservice.h"
#include "host/hostcontext.h"
#include "runtime/iptr.h"
#include "runtime/services.h"

#include <gtest/gtest.h>

namespace {

// An error service that tells when it is destroyed.
class ProbeErrorService : public virtual IVelErrorService {
public:
    explicit ProbeErrorService(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~ProbeErrorService() override {
        if (m_destroyed)
            *m_destroyed = true;
    }
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "ProbeErrorService", this, static_cast<IVelUnknown*>(this)))
            return true;
        return velCheckInterface(name, outOrWalk, "IVelErrorService", static_cast<IVelErrorService*>(this));
    }
    const char* className() override { return "ProbeErrorService"; }
    int32_t report(const PooledString&, int32_t*, PooledName*) override { return 1; }

private:
    bool* m_destroyed;
};

class StringsServicePointer : public ::testing::Test {
protected:
    void SetUp() override { velSetHostContext(nullptr); }
    void TearDown() override { velSetHostContext(nullptr); }
};

TEST_F(StringsServicePointer, WithoutAHostContextServicePointersStayEmptyAndTouchNothing) {
    bool destroyed = false;
    auto* service = new ProbeErrorService(&destroyed);
    service->addRef();
    {
        SPtr<IVelErrorService> errors;
        EXPECT_EQ(errors.get(), nullptr);
        EXPECT_EQ(errors.acquire(), 0);
        EXPECT_FALSE(errors);
        IPtr<IVelErrorService> empty;
    }
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(service->refCount(), 1);
    service->release();
    EXPECT_TRUE(destroyed);
}

TEST_F(StringsServicePointer, AServiceIsHeldOnceForTheLifeOfTheServicePointer) {
    VelHostContext context;
    auto* service = new ProbeErrorService();
    context.offer<IVelErrorService>(service);
    velSetHostContext(&context);
    const int32_t before = service->refCount();
    {
        SPtr<IVelErrorService> errors;
        ASSERT_EQ(errors.get(), static_cast<IVelErrorService*>(service));
        EXPECT_EQ(service->refCount(), before + 1);
        EXPECT_NE(errors.acquire(), 0);
        EXPECT_NE(errors.acquire(), 0);
        EXPECT_EQ(service->refCount(), before + 1); // a refresh never holds two references
        EXPECT_EQ(context.lookups("IVelErrorService"), 3);
    }
    EXPECT_EQ(service->refCount(), before);
}

TEST_F(StringsServicePointer, ARefreshAfterTheServiceWasWithdrawnLetsItGo) {
    VelHostContext context;
    bool destroyed = false;
    context.offer<IVelErrorService>(new ProbeErrorService(&destroyed));
    velSetHostContext(&context);
    SPtr<IVelErrorService> errors;
    ASSERT_TRUE(errors);
    context.withdraw("IVelErrorService");
    EXPECT_FALSE(destroyed); // still held here
    EXPECT_EQ(errors.acquire(), 0);
    EXPECT_EQ(errors.get(), nullptr);
    EXPECT_TRUE(destroyed);
}

TEST_F(StringsServicePointer, AcquiredBeforeTheHostContextAndFilledLater) {
    SPtr<IVelErrorService> errors;
    EXPECT_FALSE(errors);
    VelHostContext context;
    context.offer<IVelErrorService>(new ProbeErrorService());
    velSetHostContext(&context);
    errors.acquire();
    EXPECT_TRUE(errors);
    errors.reset();
}

TEST_F(StringsServicePointer, AssigningThePointerAlreadyHeldKeepsTheObject) {
    bool destroyed = false;
    auto* service = new ProbeErrorService(&destroyed);
    IPtr<IVelErrorService> holder;
    holder = service;
    holder = service; // the only reference: dropping it before taking the new one would delete the object
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(service->refCount(), 1);
    holder = nullptr;
    EXPECT_TRUE(destroyed);
}

TEST_F(StringsServicePointer, AssignmentMovesTheReferenceFromTheOldObjectToTheNew) {
    bool firstGone = false;
    auto* first = new ProbeErrorService(&firstGone);
    auto* second = new ProbeErrorService();
    second->addRef();
    IPtr<IVelErrorService> holder;
    holder = first;
    holder = second;
    EXPECT_TRUE(firstGone);
    EXPECT_EQ(second->refCount(), 2);
    holder.reset();
    EXPECT_EQ(second->refCount(), 1);
    second->release();
}

TEST_F(StringsServicePointer, NameQueryFindsAnInterfaceByTheGivenName) {
    VelHostContext context;
    auto* service = new ProbeErrorService();
    context.addService("SomeOtherName", static_cast<IVelErrorService*>(service), service);
    velSetHostContext(&context);
    IPtr<IVelErrorService> holder;
    EXPECT_EQ(holder.query("IVelErrorService"), 0);
    EXPECT_FALSE(holder);
    EXPECT_NE(holder.query("SomeOtherName"), 0);
    EXPECT_EQ(holder.get(), static_cast<IVelErrorService*>(service));
    EXPECT_EQ(service->refCount(), 2);
}

// ---- error report ----

TEST_F(StringsServicePointer, AReportWithoutAnErrorServiceDoesNothing) {
    velReportError(PooledString::fromLatin1("nobody listens"));
    VelHostContext context;
    velSetHostContext(&context);
    velReportError(PooledString::fromLatin1("nobody listens"));
    EXPECT_EQ(context.lookups("IVelErrorService"), 1);
}

TEST_F(StringsServicePointer, AReportReachesTheErrorServiceWithLevelOneAndTheEmptyContextName) {
    VelHostContext context;
    auto* errors = new VelHostErrorService();
    context.offer<IVelErrorService>(errors);
    velSetHostContext(&context);
    const int32_t before = errors->refCount();
    velReportError(PooledString::fromLatin1("Disk full"));
    ASSERT_EQ(errors->reportCount(), 1);
    const VelHostErrorService::Report report = errors->lastReport();
    EXPECT_EQ(report.message, QStringLiteral("Disk full"));
    EXPECT_EQ(report.level, 1);
    EXPECT_TRUE(report.context.isEmpty());
    EXPECT_EQ(velModuleContextName().text, nullptr);
    EXPECT_EQ(errors->refCount(), before); // held for the one report only
}

} // namespace
