// Run tests through the component: visiting the (empty) test list, reporting the missing test service to
// the host's error service, and refusing to enter itself again.

#include "frame/component.h"
#include "host/hostcontext.h"
#include "memory/heaphook.h"
#include "runtime/services.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace {

class RecordingErrorService : public IVelErrorService {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t) override {
        if (velCheckClass(name, outOrWalk, "RecordingErrorService", this, this))
            return true;
        return velCheckInterface(name, outOrWalk, "IVelErrorService", static_cast<IVelErrorService*>(this));
    }
    const char* className() override { return "RecordingErrorService"; }

    int32_t report(const PooledString& message, int32_t* level, PooledName* context) override {
        messages << message.toQString();
        levels.append(level ? *level : -1);
        contextsEmpty.append(context && !context->text);
        if (onReport)
            onReport();
        return 1;
    }

    QStringList messages;
    QList<int> levels;
    QList<bool> contextsEmpty;
    std::function<void()> onReport;
};

class CountingVisitor : public IVelTestVisitor {
public:
    void visit(void*) override { ++visits; }
    int visits = 0;
};

class FrameTestHook : public ::testing::Test {
protected:
    void SetUp() override {
        velSetHostContext(nullptr);
        component = velComponentFactory()->createComponent();
        component->addRef();
        internal = velCast<IVelCompInternal>(component, "IVelCompInternal");
        errors = new RecordingErrorService;
        errors->addRef();
    }
    void TearDown() override {
        component->release();
        context.withdrawAll();
        errors->release();
        velSetHostContext(nullptr);
    }
    // Hands the component the host context, offering the error service.
    void initializeWithErrorService() {
        context.offer<IVelErrorService>(errors);
        component->initialize(&context);
    }

    VelHostContext context{'Q'};
    IVelComponent* component = nullptr;
    IVelCompInternal* internal = nullptr;
    RecordingErrorService* errors = nullptr;
};

} // namespace

TEST_F(FrameTestHook, VisitorIsNeverCalledForTheEmptyTestList) {
    initializeWithErrorService();
    CountingVisitor visitor;
    internal->runTests(&visitor);
    internal->runTests(&visitor);
    EXPECT_EQ(visitor.visits, 0);
    EXPECT_TRUE(errors->messages.isEmpty());
}

TEST_F(FrameTestHook, WithoutAVisitorTheMissingServiceAndTheHostCharacterAreReported) {
    initializeWithErrorService();
    internal->runTests(nullptr);
    ASSERT_EQ(errors->messages.size(), 2);
    EXPECT_EQ(errors->messages[0], QStringLiteral("Unable to get test service"));
    EXPECT_EQ(errors->messages[1], QStringLiteral("Q"));
    EXPECT_EQ(errors->levels, (QList<int>{1, 1}));
    EXPECT_EQ(errors->contextsEmpty, (QList<bool>{true, true}));
    // Each report looks the service up anew.
    EXPECT_EQ(context.lookups("IVelErrorService"), 2);
}

TEST_F(FrameTestHook, WithoutAnErrorServiceNothingIsReportedAndNothingFails) {
    component->initialize(&context);
    internal->runTests(nullptr);
    EXPECT_EQ(context.lookups("IVelErrorService"), 2);
    EXPECT_TRUE(errors->messages.isEmpty());
}

TEST_F(FrameTestHook, ARunThatCallsItselfReturnsAtOnceFromTheInnerCall) {
    initializeWithErrorService();
    int innerCalls = 0;
    errors->onReport = [&] {
        ++innerCalls;
        internal->runTests(nullptr);
    };
    internal->runTests(nullptr);
    EXPECT_EQ(innerCalls, 2);
    EXPECT_EQ(errors->messages.size(), 2);

    // The guard is cleared at the end: a later run reports again.
    errors->onReport = nullptr;
    internal->runTests(nullptr);
    EXPECT_EQ(errors->messages.size(), 4);
}

TEST_F(FrameTestHook, AnExceptionFromTheErrorServiceDoesNotLeaveTheGuardSet) {
    initializeWithErrorService();
    errors->onReport = [] { throw std::runtime_error("report failed"); };
    EXPECT_THROW(internal->runTests(nullptr), std::runtime_error);
    errors->onReport = nullptr;
    internal->runTests(nullptr);
    EXPECT_EQ(errors->messages.size(), 3);
}

namespace {

void* refuseAllocation(std::size_t) {
    return nullptr;
}
void* refuseReallocation(void*, std::size_t) {
    return nullptr;
}
void releaseToHeap(void* block) {
    std::free(block);
}

void runTestsOnARefusingHeap(IVelCompInternal* internal) {
    const VelHeapFunctions refusing{&refuseAllocation, &refuseReallocation, &releaseToHeap};
    velSetHeapFunctions(&refusing);
    CountingVisitor visitor;
    internal->runTests(&visitor);
}

} // namespace

// The test list's slots come from the guarded allocator, whose last resort when the heap refuses
// everything is to end the process with status -1.
TEST_F(FrameTestHook, TestListOnARefusingHeapEndsTheProcess) {
    // A fresh process, so the test list does not exist yet.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(runTestsOnARefusingHeap(internal), ::testing::ExitedWithCode(255), "");
}
