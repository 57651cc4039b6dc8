// The runtime's module-wide references on host objects (the directory service of the swap files, the
// memory manager of the guarded allocator, the current translator) go back exactly once, through a host
// context that is still alive, whether the host context ends before the runtime's static objects or
// after them. Each case runs in a process of its own, which ends through the normal exit path.

#include "host/dirservice.h"
#include "host/hostcontext.h"
#include "host/memorymanager.h"
#include "memory/tempfiles.h"
#include "memory/zalrealloc.h"
#include "translation/translator.h"

#include "memorytesthost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

// A host service that says when it is destroyed.
template <class Service> class Watched : public Service {
public:
    template <class... Args>
    explicit Watched(const char* name, Args... args) : Service(args...), m_name(name) {}
    ~Watched() override { std::fprintf(stderr, "%s gone\n", m_name); }

private:
    const char* m_name;
};

struct Host {
    VelHostContext context;
};
Host* g_host = nullptr;

// A host with a directory service and a memory manager; the runtime takes its references on both and
// on a translator. The host keeps only the context's references.
void startHostAndTakeReferences() {
    g_host = new Host;
    velSetHostContext(&g_host->context);
    auto* directories = new Watched<VelHostDirService>("directory service");
    directories->setDirectory("temp", QStringLiteral("/tmp"));
    g_host->context.offer<IVelDirService>(directories);
    auto* manager = new Watched<VelHostMemoryManager>("memory manager", 1);
    g_host->context.offer<VelMM::IVelMManager>(manager);

    velTempDirectory();
    {
        HeapFaults heap;
        int refusals = 1;
        heap.failMalloc = [&refusals](size_t) { return refusals-- > 0; };
        void* block = nullptr;
        zalMalloc(&block, 1, 64);
        std::free(block);
    }
    velTranslator();
}

void endHost() {
    delete g_host;
    g_host = nullptr;
    std::fprintf(stderr, "host gone\n");
}

} // namespace

TEST(MemoryModuleReferences, AHostContextThatEndsFirstGetsTheReferencesBackBeforeItGoes) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            startHostAndTakeReferences();
            endHost();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        ::testing::AllOf(::testing::ContainsRegex("directory service gone(.|\n)*host gone"),
                         ::testing::ContainsRegex("memory manager gone(.|\n)*host gone")));
}

TEST(MemoryModuleReferences, AHostContextThatEndsLastGetsTheReferencesBackAtExit) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Registered before the runtime sets up its holders, so it runs after they are gone.
            std::atexit(&endHost);
            startHostAndTakeReferences();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        ::testing::AllOf(::testing::ContainsRegex("directory service gone(.|\n)*host gone"),
                         ::testing::ContainsRegex("memory manager gone(.|\n)*host gone")));
}
