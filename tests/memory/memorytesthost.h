#pragma once
// What the memory tests share: the test program's host, services offered for one scope, injected heap
// failures, scratch directories and string helpers. Built without Qt, the host is a plain context and
// offers no service of its own.

#include "memory/heaphook.h"
#include "runtime/pooledstring.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "testhostcontext.h"

#if !defined(MELVORO_RUNTIME_ONLY)
#include "host/memorymanager.h"
class VelHostDirService;
class VelHostErrorService;
#endif

// The host of the test program. Its context is installed as the runtime's host context on first use and
// is never destroyed: module-wide holders of the runtime give their references back into it at exit.
// The services whose look-up the runtime makes once per module lifetime (memory manager, directory
// service) are offered from the start; the memory manager's reserve starts empty.
struct MemoryTestHost {
    TestHostContext context;
#if !defined(MELVORO_RUNTIME_ONLY)
    VelHostMemoryManager* manager = nullptr;
    VelHostDirService* directories = nullptr;
#endif
};
MemoryTestHost& memoryTestHost();
#if !defined(MELVORO_RUNTIME_ONLY)
// The same host for a test that looks at the memory manager: its reserve emptied and its asks counted
// from zero again.
MemoryTestHost& resetMemoryTestHost();
#endif

// Offers `service` under Interface's name for the life of the scope; the scope holds one reference.
template <class Interface, class Service> class ScopedService {
public:
    ScopedService(TestHostContext& context, Service* service) : m_context(context), m_service(service) {
        static_cast<IVelUnknown*>(m_service)->addRef();
        m_context.offer<Interface>(m_service);
    }
    ~ScopedService() {
        m_context.withdraw(VelInterfaceName<Interface>::value);
        static_cast<IVelUnknown*>(m_service)->release();
    }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;
    Service* operator->() const { return m_service; }
    Service* get() const { return m_service; }

private:
    TestHostContext& m_context;
    Service* m_service;
};

// Replaces the runtime's heap functions for the life of the scope. Each call is recorded; a rule that
// answers true makes that call fail. The hooks run the C heap otherwise.
class HeapFaults {
public:
    HeapFaults();
    ~HeapFaults();
    HeapFaults(const HeapFaults&) = delete;
    HeapFaults& operator=(const HeapFaults&) = delete;

    std::function<bool(std::size_t bytes)> failMalloc;
    std::function<bool(std::size_t bytes)> failRealloc;
    // Runs before every malloc (after the rule above has let it through or not).
    std::function<void(std::size_t bytes)> onMalloc;

    std::vector<std::size_t> mallocs;
    std::vector<void*> mallocResults; // what each malloc returned, in order (null for a failure)
    std::vector<std::size_t> reallocs;
    std::vector<void*> frees;

private:
    VelHeapFunctions m_previous;
};

// Children of death tests started in this scope run without a leak check. For a child that ends in the
// middle of a pool operation (a table or free stack half grown, its contents out on disk), which leaves
// what the arrays held unreachable by design of the case.
class NoLeakCheckInChildren {
public:
    NoLeakCheckInChildren();
    ~NoLeakCheckInChildren();
    NoLeakCheckInChildren(const NoLeakCheckInChildren&) = delete;
    NoLeakCheckInChildren& operator=(const NoLeakCheckInChildren&) = delete;

private:
    std::string m_previous;
    bool m_hadPrevious = false;
};

#if !defined(MELVORO_RUNTIME_ONLY)
// The host's error service, writing every report to stderr as one line
// "report level=<level> context=[<context>] <status>" and then the message, where <status> is what
// `status` answers at the time of the report (empty without it). Death tests read this from the child.
VelHostErrorService* makeEchoingErrorService(std::function<std::string()> status = nullptr);
#endif

// An empty directory for one test, under the build tree; the same name gives the same path in every
// process, so a death test's parent can look at what its child left behind.
std::string scratchDirectory(const std::string& name);
// The names in a directory ("." and ".." left out).
std::vector<std::string> directoryEntries(const std::string& path);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);

#if !defined(MELVORO_RUNTIME_ONLY)
std::string utf8(const PooledString& text);
QString qstring(const std::string& text);
#endif
