// The out-of-memory notification.

#include "memory/outofmemory.h"

#include "runtime/iptr.h"
#include "runtime/pooledstring.h"
#include "runtime/services.h"
#include "translation/translator.h"

#include "platform/lock.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

const char kVelOutOfMemoryMessage[] = "While running this function, you have run out of memory.\n"
                                      "The application will close. After restarting, please read\n"
                                      "the online help about \"Memory Optimization\".";

namespace {

// The thread whose notification is under way (0: none). Translating the message allocates; should that
// allocation fail, the nested notification ends the process at once instead of notifying again and
// again. A failure on another thread meanwhile waits for the first notification to end the process.
std::atomic<uintptr_t> g_notifier{0};
// Set once the process is on its way out; a failure during the exit handlers ends it without them.
std::atomic<bool> g_exiting{false};

constexpr int32_t kFirstCode = -5;
constexpr int32_t kLastCode = -1;

} // namespace

void velNotifyOutOfMemory(int32_t code) {
    velNotifyOutOfMemory(code, nullptr);
}

void velNotifyOutOfMemory(int32_t code, const char* detail) {
    const uintptr_t self = VelLock::currentThread();
    uintptr_t running = 0;
    if (!g_notifier.compare_exchange_strong(running, self)) {
        if (running != self) {
            for (;;)
                std::this_thread::sleep_for(std::chrono::seconds(1));
        }
    } else {
        SPtr<IVelErrorService> service;
        if (service && code >= kFirstCode && code <= kLastCode) {
            PooledString text = velTranslator()->translate(kVelOutOfMemoryMessage);
            if (detail && *detail) {
                text.append(PooledString::fromLatin1("\n\n"));
                PooledString more;
                more.setUtf8(detail);
                text.append(more);
            }
            int32_t level = 1;
            service->report(text, &level, &velModuleContextName());
        }
    }
    if (g_exiting.exchange(true))
        std::_Exit(-1);
    std::exit(-1);
}
