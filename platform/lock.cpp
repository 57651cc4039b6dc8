// The slow half of VelLock: waiting for a held lock and waking a sleeper.
//
// The lock word is 0 (free) or 1 (held). A thread that finds the lock held spins first, since the pool
// holds it only for a few instructions, reading the word less and less often so that the holder keeps
// the cache line to itself; then it counts itself as a sleeper and sleeps on the word in the kernel.
// The holder gives the lock up with a plain store and wakes one sleeper when it sees any counted.
//
// That plain store needs a partner: before a thread sleeps it has every other running thread of the
// process pass a full memory barrier. After that barrier the sleeper either sees the holder's release of
// the word or the holder sees the sleeper counted; a wake-up cannot fall between the two. Where the
// system offers no such barrier, sleepers wake on their own every millisecond and look again.

#include "platform/lock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <linux/futex.h>
#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>
#endif

namespace {

// Spinning: pauses between two looks at the lock word start at one and double up to kLongestPause;
// after kSpinPauses pauses in all the thread sleeps.
constexpr int kLongestPause = 512;
constexpr int kSpinPauses = 4000;

inline void cpuRelax() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    __builtin_ia32_pause();
#elif defined(__GNUC__) && defined(__aarch64__)
    asm volatile("yield");
#endif
}

static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t), "the lock word must be a plain 32-bit word");

// Has every running thread of the process pass a full memory barrier; false when the system cannot.
bool fenceAllThreads() {
#if defined(_WIN32)
    FlushProcessWriteBuffers();
    return true;
#else
    // 0: not asked yet, 1: registered, -1: unavailable.
    static std::atomic<int> registered{0};
    int state = registered.load(std::memory_order_acquire);
    if (state == 0) {
        const long ok = syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0);
        state = ok == 0 ? 1 : -1;
        registered.store(state, std::memory_order_release);
    }
    if (state < 0)
        return false;
    return syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0) == 0;
#endif
}

// Sleeps while *word still holds `value`; may return early for no reason. `bounded`: wake after a
// millisecond at the latest.
void sleepWhile(std::atomic<int32_t>* word, int32_t value, bool bounded) {
#if defined(_WIN32)
    WaitOnAddress(reinterpret_cast<volatile VOID*>(word), &value, sizeof value, bounded ? 1 : INFINITE);
#else
    struct timespec millisecond = {0, 1000000};
    syscall(SYS_futex, reinterpret_cast<int32_t*>(word), FUTEX_WAIT_PRIVATE, value,
            bounded ? &millisecond : nullptr, nullptr, 0);
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

void VelLock::lockContended() {
    for (;;) {
        // Spin, looking at the word less often each time it reads held.
        int pause = 1;
        for (int spent = 0; spent < kSpinPauses; spent += pause) {
            for (int i = 0; i < pause; ++i)
                cpuRelax();
            if (m_state.load(std::memory_order_relaxed) == kFree) {
                int32_t expected = kFree;
                if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                                    std::memory_order_relaxed))
                    return;
            }
            if (pause < kLongestPause)
                pause *= 2;
        }

        // Sleep. Counted first, then the barrier, then the last look at the word before sleeping on it.
        m_sleepers.fetch_add(1, std::memory_order_seq_cst);
        const bool fenced = fenceAllThreads();
        int32_t expected = kFree;
        const bool taken = m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                                           std::memory_order_relaxed);
        if (!taken)
            sleepWhile(&m_state, kHeld, !fenced);
        m_sleepers.fetch_sub(1, std::memory_order_relaxed);
        if (taken)
            return;
    }
}

void VelLock::wakeOne() {
    wakeOneSleeper(&m_state);
}
