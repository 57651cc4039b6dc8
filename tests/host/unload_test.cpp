// A module loaded, used and unloaded again and again gives back at every unload what it made: its heap
// use does not grow with the number of cycles, with the host's shared pool and without it.

#include "frame/component.h"
#include "host/errorservice.h"
#include "host/hostcontext.h"
#include "host/lookservice.h"
#include "host/moduleloader.h"
#include "host/sharedpool.h"
#include "memory/bucketpool.h"

#include <gtest/gtest.h>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own count of the bytes the program holds (its allocator replaces the C library's), and
// its leak check, which reports and goes on.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" int __lsan_do_recoverable_leak_check();
#endif

namespace {

// Bytes the program holds on the heap right now.
size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// One life of the module: loaded, given the host, asked for its classes, a style made and let go, its
// tests run (which reports through texts from the module's pool), terminated and unloaded.
void moduleLife(VelHostContext& host, VelHostErrorService* errors) {
    VelModuleLoader loader;
    ASSERT_TRUE(loader.load(QStringLiteral(MELVORO_MODULE_PATH))) << qPrintable(loader.errorString());
    loader.component()->initialize(&host);
    VelID styleId;
    ASSERT_TRUE(loader.findClass(QStringLiteral("MelvoroStyle"), &styleId));
    IVelUnknown* style = nullptr;
    ASSERT_EQ(loader.component()->createObject(styleId, &style), 1);
    style->addRef();
    style->release();
    loader.internal()->runTests(nullptr);
    errors->clear();
    loader.component()->terminate();
    loader.unload();
}

// Heap growth per module life, in bytes, over `cycles` lives after a few to settle in.
double growthPerLife(VelHostContext& host, VelHostErrorService* errors, int cycles) {
    for (int i = 0; i < 5; ++i)
        moduleLife(host, errors);
    const size_t before = heapInUse();
    for (int i = 0; i < cycles; ++i)
        moduleLife(host, errors);
    const size_t after = heapInUse();
    return after > before ? double(after - before) / cycles : 0.0;
}

class HostUnload : public ::testing::TestWithParam<bool> {};

} // namespace

TEST_P(HostUnload, AThousandLoadUnloadCyclesGrowTheHeapByUnder64BytesEach) {
    VelHostContext host('U');
    auto* look = new VelHostLook;
    look->addRef();
    host.offer<IGuiLook>(look);
    auto* errors = new VelHostErrorService;
    errors->addRef();
    errors->setEchoToStderr(false);
    host.offer<IVelErrorService>(errors);
    if (GetParam())
        velOfferSharedPool(host);
    const double life = growthPerLife(host, errors, 1000);
#if defined(__SANITIZE_ADDRESS__)
    // Under the sanitizer the heap figure says little of the module: the C library's list of exit
    // handlers grows with every library the sanitizer's runtime has seen open and close. The leak checker
    // tells instead whether anything the module's lives made is lost.
    (void)life;
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
    EXPECT_LT(life, 64.0);
#endif
    host.withdrawAll();
    errors->release();
    look->release();
}

INSTANTIATE_TEST_SUITE_P(, HostUnload, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "WithTheSharedPool" : "WithoutASharedPool";
                         });
