// The slow half of VelLock: waiting for a held lock and waking a sleeper.
//
// The lock word is 0 (free), 1 (held) or 2 (held, and a thread may be asleep on it). A thread that finds
// the lock held spins a little, since the pool holds it only for a few instructions; then it marks the
// word 2 and sleeps on it in the kernel. Whoever unlocks a word that reads 2 wakes one sleeper, which
// takes the lock and keeps the word at 2, because other sleepers may remain.

#include "platform/lock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

constexpr int kSpins = 1000;

inline void cpuRelax() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_ia32_pause();
#elif defined(__GNUC__) && defined(__aarch64__)
    asm volatile("yield");
#endif
}

static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t), "the lock word must be a plain 32-bit word");

// Sleeps while *word still holds `value`; may return early for no reason.
void sleepWhile(std::atomic<int32_t>* word, int32_t value) {
#if defined(_WIN32)
    WaitOnAddress(reinterpret_cast<volatile VOID*>(word), &value, sizeof value, INFINITE);
#else
    syscall(SYS_futex, reinterpret_cast<int32_t*>(word), FUTEX_WAIT_PRIVATE, value, nullptr, nullptr, 0);
#endif
}

void wakeOneSleeper(std::atomic<int32_t>* word) {
#if defined(_WIN32)
    WakeByAddressSingle(reinterpret_cast<PVOID>(word));
#else
    syscall(SYS_futex, reinterpret_cast<int32_t*>(word), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
#endif
}

} // namespace

void VelLock::lockContended(int32_t seen) {
    // A short spin: the holder is likely to let go before a sleep would even begin.
    for (int i = 0; i < kSpins && seen == kHeld; ++i) {
        cpuRelax();
        seen = m_state.load(std::memory_order_relaxed);
        if (seen == kFree) {
            if (m_state.compare_exchange_strong(seen, kHeld, std::memory_order_acquire,
                                                std::memory_order_relaxed))
                return;
        }
    }
    if (seen != kHeldWithSleepers)
        seen = m_state.exchange(kHeldWithSleepers, std::memory_order_acquire);
    while (seen != kFree) {
        sleepWhile(&m_state, kHeldWithSleepers);
        seen = m_state.exchange(kHeldWithSleepers, std::memory_order_acquire);
    }
}

void VelLock::wakeOne() {
    wakeOneSleeper(&m_state);
}
