// The reference host context: the service table with its references and look-up counts, and the
// atomic counting that objects defer to.

#include "host/hostcontext.h"
#include "runtime/pooledstring.h"
#include "runtime/services.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace {

class Directories : public IVelDirService {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "Directories", this, this))
            return true;
        return velCheckInterface(name, outOrWalk, "IVelDirService", static_cast<IVelDirService*>(this));
    }
    const char* className() override { return "Directories"; }
    const PooledString& directory(const char*) override { return m_empty; }

private:
    PooledString m_empty;
};

// Keeps a test's own reference so the counts the context adds can be read.
struct Held {
    Held() : service(new Directories) { service->addRef(); }
    ~Held() { service->release(); }
    Directories* service;
};

// A directory service that knows whether it is still alive, without reading freed memory.
class TrackedDirectories : public Directories {
public:
    TrackedDirectories() {
        std::lock_guard<std::mutex> lock(mutex());
        live().insert(this);
    }
    ~TrackedDirectories() override {
        std::lock_guard<std::mutex> lock(mutex());
        live().erase(this);
    }
    static bool alive(const void* service) {
        std::lock_guard<std::mutex> lock(mutex());
        return live().count(service) != 0;
    }

private:
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static std::set<const void*>& live() {
        static std::set<const void*> s;
        return s;
    }
};

// Offers a new service under "IVelDirService", replacing what was offered, and keeps no reference.
TrackedDirectories* offerNew(VelHostContext& context) {
    auto* service = new TrackedDirectories;
    service->addRef();
    context.offer<IVelDirService>(service);
    service->release();
    return service;
}

int32_t find(VelHostContext& context, const char* name, void** out) {
    PooledName n = PooledName::borrowed(name);
    return context.findService(&n, out);
}

} // namespace

TEST(HostContext, FindsAnOfferedServiceByItsInterfaceName) {
    Held held;
    VelHostContext context;
    context.offer<IVelDirService>(held.service);
    void* out = nullptr;
    EXPECT_EQ(find(context, "IVelDirService", &out), 1);
    EXPECT_EQ(out, static_cast<IVelDirService*>(held.service));
    context.withdrawAll();
}

TEST(HostContext, UnknownNamesAnswerZeroAndWriteNull) {
    Held held;
    VelHostContext context;
    context.offer<IVelDirService>(held.service);
    void* out = &context;
    EXPECT_EQ(find(context, "IVelDirservice", &out), 0);
    EXPECT_EQ(out, nullptr);
    out = &context;
    EXPECT_EQ(context.findService(nullptr, &out), 0);
    EXPECT_EQ(out, nullptr);
    PooledName empty;
    out = &context;
    EXPECT_EQ(context.findService(&empty, &out), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(find(context, "IVelDirService", nullptr), 0);
    context.withdrawAll();
}

TEST(HostContext, HoldsOneReferenceOnEachOfferedServiceUntilWithdrawn) {
    Held held;
    const int32_t before = held.service->refCount();
    {
        VelHostContext context;
        context.offer<IVelDirService>(held.service);
        EXPECT_EQ(held.service->refCount(), before + 1);
        // Looking up adds nothing for the caller.
        void* out = nullptr;
        find(context, "IVelDirService", &out);
        EXPECT_EQ(held.service->refCount(), before + 1);
        context.withdraw("IVelDirService");
        EXPECT_EQ(held.service->refCount(), before);
        void* again = &context;
        EXPECT_EQ(find(context, "IVelDirService", &again), 0);
        EXPECT_EQ(again, nullptr);
        context.offer<IVelDirService>(held.service);
    }
    // Destruction lets go of what was still offered.
    EXPECT_EQ(held.service->refCount(), before);
}

TEST(HostContext, OfferingUnderATakenNameReplacesTheEarlierService) {
    Held first;
    Held second;
    VelHostContext context;
    context.offer<IVelDirService>(first.service);
    context.offer<IVelDirService>(second.service);
    // The replaced service is kept until the context withdraws everything.
    EXPECT_EQ(first.service->refCount(), 2);
    EXPECT_EQ(second.service->refCount(), 2);
    void* out = nullptr;
    find(context, "IVelDirService", &out);
    EXPECT_EQ(out, static_cast<IVelDirService*>(second.service));
    // Offering the same service again keeps exactly one reference for the context.
    context.offer<IVelDirService>(second.service);
    EXPECT_EQ(second.service->refCount(), 2);
    context.withdrawAll();
    EXPECT_EQ(first.service->refCount(), 1);
    EXPECT_EQ(second.service->refCount(), 1);
}

TEST(HostContext, IncompleteOffersAreIgnored) {
    Held held;
    VelHostContext context;
    context.addService(nullptr, held.service, held.service);
    context.addService("", held.service, held.service);
    context.addService("IVelDirService", nullptr, held.service);
    context.addService("IVelDirService", held.service, nullptr);
    EXPECT_EQ(held.service->refCount(), 1);
    void* out = nullptr;
    EXPECT_EQ(find(context, "IVelDirService", &out), 0);
    context.withdraw(nullptr);
    context.withdraw("never offered");
}

TEST(HostContext, CountsLookupsByName) {
    VelHostContext context;
    EXPECT_EQ(context.lookups("IGuiLook"), 0);
    void* out = nullptr;
    find(context, "IGuiLook", &out);
    find(context, "IGuiLook", &out);
    find(context, "IImageStore", &out);
    EXPECT_EQ(context.lookups("IGuiLook"), 2);
    EXPECT_EQ(context.lookups("IImageStore"), 1);
    EXPECT_EQ(context.lookups("IDataStore"), 0);
    EXPECT_EQ(context.lookups(nullptr), 0);
}

TEST(HostContext, CountsANameAskedWithTextThatGoesAway) {
    VelHostContext context;
    void* out = nullptr;
    {
        char name[] = "IGuiLook";
        find(context, name, &out);
        name[0] = 'X'; // the context keeps a copy of a name it counts, not the caller's text
    }
    char again[] = "IGuiLook";
    find(context, again, &out);
    EXPECT_EQ(context.lookups("IGuiLook"), 2);
    EXPECT_EQ(context.lookups("XGuiLook"), 0);
}

TEST(HostContext, DecrementAnswersTrueOnlyAtZeroAndMarksTheCount) {
    VelHostContext context;
    int32_t count = 0;
    context.increment(&count);
    context.increment(&count);
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(context.decrement(&count));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(context.decrement(&count));
    EXPECT_EQ(count, -42);
    context.increment(nullptr);
    EXPECT_FALSE(context.decrement(nullptr));
}

// A look-up hands out the service without a reference; the caller takes its own right after. A service
// that the host replaces in between must still be there when the caller takes that reference.
TEST(HostContext, AServiceReplacedRightAfterItsLookUpIsStillThereForTheCaller) {
    VelHostContext context;
    TrackedDirectories* first = offerNew(context);
    std::mutex mutex;
    std::condition_variable changed;
    int step = 0;
    void* found = nullptr;
    std::thread finder([&] {
        find(context, "IVelDirService", &found);
        std::unique_lock<std::mutex> lock(mutex);
        step = 1;
        changed.notify_all();
        changed.wait(lock, [&] { return step == 2; });
    });
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return step == 1; });
        offerNew(context);
        step = 2;
        changed.notify_all();
    }
    finder.join();
    ASSERT_EQ(found, static_cast<IVelDirService*>(first));
    ASSERT_TRUE(TrackedDirectories::alive(first));
    // The caller's reference keeps it beyond the context's life.
    IVelDirService* kept = static_cast<IVelDirService*>(found);
    kept->addRef();
    context.withdrawAll();
    EXPECT_TRUE(TrackedDirectories::alive(first));
    kept->release();
    EXPECT_FALSE(TrackedDirectories::alive(first));
}

// Service pointers fill themselves on one thread while the host keeps replacing the service on another.
TEST(HostContext, ServicePointersAndReplacementsOnTwoThreads) {
    VelHostContext context;
    IVelHostContext* previous = velHostContext();
    velSetHostContext(&context);
    offerNew(context);
    std::atomic<bool> done{false};
    std::atomic<int> dead{0};
    std::thread finder([&] {
        for (int i = 0; i < 20000; ++i) {
            SPtr<IVelDirService> service;
            if (!service || !TrackedDirectories::alive(static_cast<TrackedDirectories*>(service.get())))
                ++dead;
        }
        done = true;
    });
    while (!done)
        offerNew(context);
    finder.join();
    EXPECT_EQ(dead, 0);
    velSetHostContext(previous);
}
