// The slow half of VelLock: taking and revoking the bias, waiting for a held lock and waking a sleeper.
//
// The lock word is free, held or biased. A thread that finds the lock held spins first, since the pool
// holds it only for a few instructions, reading the word less and less often so that the holder keeps
// the cache line to itself; then it asks to be woken and sleeps in the kernel on a wake sequence. The
// holder gives the lock up with a plain store and, when it sees an ask, answers it: it takes the ask
// away, moves the sequence on and wakes one sleeper. Each ask is answered once, so a woken sleeper is not
// woken again by the releases while it is on its way back to the lock; a sleeper whose ask is answered
// before it is asleep finds the sequence moved and does not fall asleep.
//
// That plain store needs a partner: before a thread sleeps it has every other running thread of the
// process pass a full memory barrier. After that barrier the sleeper either sees the holder's release of
// the word or the holder sees its ask; a wake-up cannot fall between the two. Where the
// system offers no such barrier, sleepers wake on their own every millisecond and look again. The
// biased thread and the thread that revokes its bias pair up the same way.

#include "platform/lock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <linux/futex.h>
#include <linux/membarrier.h>
#include <sched.h>
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
// True when a wake-up on the word ended the sleep (and not a timeout, a changed value or a signal).
bool sleepWhile(std::atomic<int32_t>* word, int32_t value, bool bounded) {
#if defined(_WIN32)
    WaitOnAddress(reinterpret_cast<volatile VOID*>(word), &value, sizeof value, bounded ? 1 : INFINITE);
    return false;
#else
    struct timespec millisecond = {0, 1000000};
    return syscall(SYS_futex, reinterpret_cast<int32_t*>(word), FUTEX_WAIT_PRIVATE, value,
                   bounded ? &millisecond : nullptr, nullptr, 0) == 0;
#endif
}

// Wakes one thread asleep on the word (all of them: `all`); how many it is known to have woken.
int wakeSleepers(std::atomic<int32_t>* word, bool all) {
#if defined(_WIN32)
    if (all)
        WakeByAddressAll(reinterpret_cast<PVOID>(word));
    else
        WakeByAddressSingle(reinterpret_cast<PVOID>(word));
    return 0;
#else
    const long woken = syscall(SYS_futex, reinterpret_cast<int32_t*>(word), FUTEX_WAKE_PRIVATE,
                               all ? INT32_MAX : 1, nullptr, nullptr, 0);
    return woken > 0 ? int(woken) : 0;
#endif
}

void yieldThread() {
#if defined(_WIN32)
    SwitchToThread();
#else
    sched_yield();
#endif
}

} // namespace

void VelLock::lockSlow() {
    const uintptr_t self = currentThread();
    if (m_bias.load(std::memory_order_relaxed) == self) {
        const int32_t depth = m_biasDepth.load(std::memory_order_acquire);
        if (depth > 0) {
            m_biasDepth.store(depth + 1, std::memory_order_relaxed);
            return;
        }
        m_biasDepth.store(1, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        if (m_revoked.load(std::memory_order_relaxed) == 0 || yieldToRevoker())
            return;
    }
    int32_t expected = kFree;
    if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                        std::memory_order_relaxed)) {
        if (m_biasable.load(std::memory_order_relaxed) != 0)
            takeBias(self);
        else
            m_owner.store(self, std::memory_order_relaxed);
        return;
    }
    if (m_owner.load(std::memory_order_relaxed) == self) {
        ++m_reentries;
        return;
    }
    lockContended(self);
}

void VelLock::wakeAfterUnlock() {
    // The biased thread has left a revoker waiting; an ordinary holder has seen asks to be woken.
    if (m_bias.load(std::memory_order_relaxed) == currentThread())
        wakeRevoker();
    else
        wakeOne();
}

void* VelLock::wakeAfterUnlock(void* value) {
    wakeAfterUnlock();
    return value;
}

bool VelLock::wakeAfterUnlock(bool value) {
    wakeAfterUnlock();
    return value;
}

void VelLock::takeBias(uintptr_t self) {
    // Called by the first thread that takes the lock, holding it. Only one thread ever gets here.
    m_biasable.store(0, std::memory_order_relaxed);
    if (!fenceAllThreads()) {
        m_owner.store(self, std::memory_order_relaxed);
        return;
    }
    m_bias.store(self, std::memory_order_relaxed);
    m_biasDepth.store(1, std::memory_order_relaxed);
    m_state.store(kBiased, std::memory_order_release);
    // Threads that found the word held may have gone to sleep on it: they must look again and revoke.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (m_sleepers.load(std::memory_order_relaxed) != 0) {
        m_wakeSequence.fetch_add(1, std::memory_order_seq_cst);
        wakeSleepers(&m_wakeSequence, true);
    }
}

bool VelLock::tryLockBiased() {
    const int32_t depth = m_biasDepth.load(std::memory_order_acquire);
    if (depth > 0) {
        m_biasDepth.store(depth + 1, std::memory_order_relaxed);
        return true;
    }
    m_biasDepth.store(1, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    if (m_revoked.load(std::memory_order_relaxed) == 0)
        return true;
    // A revocation is under way: taking the lock now means waiting for it.
    m_biasDepth.store(0, std::memory_order_release);
    wakeRevoker();
    return false;
}

bool VelLock::yieldToRevoker() {
    const uintptr_t self = currentThread();
    for (;;) {
        m_biasDepth.store(0, std::memory_order_release);
        wakeRevoker();
        // The revoker hands the lock word over and then lets go of the bias; from then on this thread
        // takes the lock like any other. A revoker that only tried may call it off instead.
        while (m_bias.load(std::memory_order_acquire) == self &&
               m_revoked.load(std::memory_order_acquire) != 0)
            yieldThread();
        if (m_bias.load(std::memory_order_acquire) != self)
            return false;
        m_biasDepth.store(1, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        if (m_revoked.load(std::memory_order_relaxed) == 0)
            return true;
    }
}

void VelLock::wakeRevoker() {
    wakeSleepers(&m_biasDepth, true);
}

bool VelLock::revokeBias(uintptr_t self, bool wait) {
    for (;;) {
        int32_t expected = 0;
        if (m_revoked.compare_exchange_strong(expected, 1, std::memory_order_seq_cst))
            break;
        if (!wait)
            return false;
        // Another thread revokes it: wait until the word is an ordinary one, then compete for it (or
        // revoke it after all if that thread only tried and called it off).
        while (m_state.load(std::memory_order_acquire) == kBiased &&
               m_revoked.load(std::memory_order_relaxed) != 0)
            yieldThread();
        if (m_state.load(std::memory_order_acquire) != kBiased)
            return false;
    }
    // After this barrier the biased thread either has its depth raised where this thread sees it, or
    // sees the flag and stays out.
    fenceAllThreads();
    for (;;) {
        const int32_t depth = m_biasDepth.load(std::memory_order_acquire);
        if (depth == 0)
            break;
        if (!wait) {
            // The biased thread is inside: a tryLock calls the revocation off.
            m_revoked.store(0, std::memory_order_release);
            return false;
        }
        sleepWhile(&m_biasDepth, depth, true);
    }
    m_owner.store(self, std::memory_order_relaxed);
    m_reentries = 0;
    m_state.store(kHeld, std::memory_order_release);
    m_bias.store(0, std::memory_order_release);
    return true;
}

void VelLock::lockContended(uintptr_t self) {
    for (;;) {
        // Spin, looking at the word less often each time it reads held.
        int pause = 1;
        for (int spent = 0; spent < kSpinPauses; spent += pause) {
            for (int i = 0; i < pause; ++i)
                cpuRelax();
            const int32_t state = m_state.load(std::memory_order_relaxed);
            if (state == kFree) {
                int32_t expected = kFree;
                if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                                    std::memory_order_relaxed)) {
                    m_owner.store(self, std::memory_order_relaxed);
                    return;
                }
            } else if (state == kBiased) {
                if (revokeBias(self, true))
                    return;
                pause = 1;
                spent = 0;
                continue;
            }
            if (pause < kLongestPause)
                pause *= 2;
        }

        // Sleep. The wake sequence first, then the ask to be woken, then the barrier, then the last look
        // at the word before sleeping on the sequence: a release that answers an ask moves the sequence
        // on, so a sleeper whose ask was answered before it fell asleep does not fall asleep at all.
        const int32_t sequence = m_wakeSequence.load(std::memory_order_acquire);
        m_sleepers.fetch_add(1, std::memory_order_seq_cst);
        m_sleeps.fetch_add(1, std::memory_order_relaxed);
        const bool fenced = fenceAllThreads();
        int32_t expected = kFree;
        if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_seq_cst,
                                            std::memory_order_seq_cst)) {
            // The ask stays; some later release answers it with a wake-up that finds nobody.
            m_owner.store(self, std::memory_order_relaxed);
            return;
        }
        if (expected == kHeld)
            sleepWhile(&m_wakeSequence, sequence, !fenced);
    }
}

void VelLock::wakeOne() {
    // Answers one ask: a sleeper is woken once, and releases while it is on its way back to the lock
    // find no ask of it and wake nobody.
    int32_t asks = m_sleepers.load(std::memory_order_relaxed);
    while (asks > 0 && !m_sleepers.compare_exchange_weak(asks, asks - 1, std::memory_order_seq_cst,
                                                         std::memory_order_relaxed)) {
    }
    if (asks <= 0)
        return;
    m_wakeSequence.fetch_add(1, std::memory_order_seq_cst);
    m_wakes.fetch_add(1, std::memory_order_relaxed);
    wakeSleepers(&m_wakeSequence, false);
}
