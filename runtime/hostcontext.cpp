// The module-wide host context pointer. The module takes no reference on it and never clears it.

#include "runtime/hostcontext.h"

#include <atomic>

namespace {

// Atomic so that reference counting on other threads reads a whole pointer; the host sets it at
// initialize, before it shares objects between threads.
std::atomic<IVelHostContext*> g_hostContext{nullptr};

} // namespace

IVelHostContext* velHostContext() {
    return g_hostContext.load(std::memory_order_acquire);
}

void velSetHostContext(IVelHostContext* context) {
    g_hostContext.store(context, std::memory_order_release);
}
