// Run tests: hands the module's test list to the host's visitor, or, when the host has no test service,
// tells the host's error service so.

#include "frame/component.h"

#include "memory/zalrealloc.h"
#include "runtime/hostcontext.h"
#include "runtime/pooledstring.h"
#include "runtime/services.h"

#include <cstring>

namespace {

// The module's tests, numbered from 1 like a VelArray. Each entry points at a test whose first
// pointer-sized value is what the visitor receives. No part of this module adds tests, so the list
// stays empty; it exists so that a host sees the same protocol from every module.
struct TestList {
    static constexpr int32_t kInitialCapacity = 21;

    int32_t capacity = 0;
    void** items = nullptr;
    int32_t count = 0;
};

// Made on first use; its slots go back to the guarded allocator when the module unloads.
class TestListHolder {
public:
    constexpr TestListHolder() = default;
    TestListHolder(const TestListHolder&) = delete;
    TestListHolder& operator=(const TestListHolder&) = delete;
    ~TestListHolder() {
        if (!m_list)
            return;
        zalRealloc(&m_list->items, m_list->capacity, 0, 0);
        delete m_list;
        m_list = nullptr;
    }

    TestList& get() {
        if (!m_list) {
            TestList* list = new TestList;
            list->capacity = zalMalloc(&list->items, TestList::kInitialCapacity);
            std::memset(list->items, 0, sizeof(void*) * size_t(list->capacity));
            m_list = list;
        }
        return *m_list;
    }

private:
    TestList* m_list = nullptr;
};

TestListHolder g_tests;
bool g_running = false;

// Keeps a run from entering itself again on the same thread, and is cleared however the run ends.
class RunGuard {
public:
    RunGuard() { g_running = true; }
    ~RunGuard() { g_running = false; }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;
};

} // namespace

void VelBaseComponent::runTests(IVelTestVisitor* visitor) {
    if (g_running)
        return;
    RunGuard guard;

    if (visitor) {
        TestList& tests = g_tests.get();
        for (int32_t i = 1; i <= tests.count && i < tests.capacity; ++i)
            if (void* entry = tests.items[i])
                visitor->visit(*static_cast<void**>(entry));
        return;
    }

    velReportError(PooledString::fromLatin1("Unable to get test service"));
    // Before the first initialize there is no host context, so there is no character to report; and no
    // error service could be found to report it to.
    if (IVelHostContext* context = velHostContext()) {
        const char character = context->characterValue();
        velReportError(PooledString::fromChar(character));
    }
}
