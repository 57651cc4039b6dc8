#pragma once
// VelLock: a lean re-entrant lock. The thread that holds it may take it again; every lock() needs its
// unlock().
//
// The lock is biased: the first thread that takes it keeps it reserved for itself and from then on
// takes and gives it up with plain loads and stores, no atomic instruction. A second thread that wants
// the lock revokes that bias once: it has every running thread of the process pass a full memory
// barrier, waits until the biased holder is out, and takes the lock over. From then on the lock is an
// ordinary one for good: an uncontended acquire is one atomic compare-exchange and the release is plain
// stores; a thread that finds the lock taken spins with growing pauses and then sleeps in the kernel
// until the holder lets go. A sleeper asks to be woken once per sleep, and a release that finds an ask
// answers it with one wake-up, so a woken thread is not woken again on its way back. Where the system
// offers no process-wide barrier the lock is never biased.
//
// The lock word, the holder, the bias and the counts share one cache line of their own, so the holder
// touches a single line and nothing else that lives next to the lock is disturbed by waiters.
//
// A VelLock has a constant initial state and a trivial destructor: a lock with static storage duration
// is ready before any code of the program runs and is never torn down, so it stays usable during the
// destruction of other static objects.

#include <atomic>
#include <cstdint>

#if defined(_WIN32)
extern "C" __declspec(dllimport) unsigned long __stdcall GetCurrentThreadId();
#elif !(defined(__GNUC__) && (defined(__x86_64__) || defined(__aarch64__)))
#include <pthread.h>
#endif
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
#include <sys/single_threaded.h>
#define VEL_LOCK_KNOWS_SINGLE_THREAD 1
#endif

class alignas(64) VelLock {
public:
    constexpr VelLock() = default;
    VelLock(const VelLock&) = delete;
    VelLock& operator=(const VelLock&) = delete;

    void lock() {
        if (!lockQuick())
            lockSlow();
    }

    // The inline half of lock(): takes the lock when that needs no call (the biased thread, a free
    // ordinary lock, a holder taking it again); false, with nothing changed, otherwise.
    bool lockQuick() {
        const uintptr_t self = currentThread();
        if (m_bias.load(std::memory_order_relaxed) == self) {
            const int32_t depth = m_biasDepth.load(std::memory_order_acquire);
            m_biasDepth.store(depth + 1, std::memory_order_relaxed);
            if (depth > 0)
                return true;
            // A revoker raises its flag and then has this thread pass a full barrier before it reads
            // the depth: either it sees the depth raised here, or this thread sees its flag.
            std::atomic_signal_fence(std::memory_order_seq_cst);
            if (m_revoked.load(std::memory_order_relaxed) == 0)
                return true;
            m_biasDepth.store(0, std::memory_order_release);
            return false;
        }
        if (m_biasable.load(std::memory_order_relaxed) != 0)
            return false;
        int32_t expected = kFree;
        if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
            m_owner.store(self, std::memory_order_relaxed);
            return true;
        }
        if (m_owner.load(std::memory_order_relaxed) != self)
            return false;
        ++m_reentries;
        return true;
    }

    // Takes the lock only if that needs no waiting; true when the calling thread now holds it.
    bool tryLock() {
        const uintptr_t self = currentThread();
        if (m_bias.load(std::memory_order_relaxed) == self)
            return tryLockBiased();
        int32_t expected = kFree;
        if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
            m_owner.store(self, std::memory_order_relaxed);
            return true;
        }
        if (expected == kBiased)
            return revokeBias(self, false);
        if (m_owner.load(std::memory_order_relaxed) != self)
            return false;
        ++m_reentries;
        return true;
    }

    // Gives up one level of holding. A thread that does not hold the lock changes nothing.
    void unlock() {
        if (!unlockQuick())
            wakeAfterUnlock();
    }

    // The inline half of unlock(): gives up one level of holding and answers whether that was all;
    // false when the lock is now free and a waiting thread must be woken (wakeAfterUnlock).
    bool unlockQuick() {
        const uintptr_t self = currentThread();
        if (m_bias.load(std::memory_order_relaxed) == self) {
            const int32_t depth = m_biasDepth.load(std::memory_order_relaxed);
            if (depth > 1) {
                m_biasDepth.store(depth - 1, std::memory_order_relaxed);
                return true;
            }
            if (depth < 1)
                return true;
            m_biasDepth.store(0, std::memory_order_release);
            // As below: a revoker announces itself before it looks at the depth, under a process-wide
            // barrier, so either it sees the depth fall or this thread sees it waiting.
            std::atomic_signal_fence(std::memory_order_seq_cst);
            return m_revoked.load(std::memory_order_relaxed) == 0;
        }
        if (m_owner.load(std::memory_order_relaxed) != self)
            return true;
        if (m_reentries > 0) {
            --m_reentries;
            return true;
        }
        m_owner.store(0, std::memory_order_relaxed);
        m_state.store(kFree, std::memory_order_release);
        // The asks must be read after the lock word is given up, never before: a thread that goes to
        // sleep first asks and then makes every running thread's stores visible, so either it sees the
        // lock free or this thread sees its ask.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        return m_sleepers.load(std::memory_order_relaxed) == 0;
    }

    // Wakes whom an unlockQuick() that answered false left waiting.
    void wakeAfterUnlock();
    // The same, handing `value` back, so that a caller can end with it.
    void* wakeAfterUnlock(void* value);
    bool wakeAfterUnlock(bool value);

    bool heldByCurrentThread() const { return depth() > 0; }
    // How often the calling thread holds the lock (0 when it does not).
    int32_t depth() const {
        const uintptr_t self = currentThread();
        if (m_bias.load(std::memory_order_relaxed) == self)
            return m_biasDepth.load(std::memory_order_relaxed);
        return m_owner.load(std::memory_order_relaxed) == self ? m_reentries + 1 : 0;
    }

    // Whether the lock is still reserved for the thread that took it first.
    bool biased() const { return m_bias.load(std::memory_order_acquire) != 0; }
    // Kernel wake-ups that releases of this lock asked for, and times a waiter asked to be woken.
    int32_t wakeCount() const { return m_wakes.load(std::memory_order_relaxed); }
    int32_t sleepCount() const { return m_sleeps.load(std::memory_order_relaxed); }

    // A value that differs between threads that are alive at the same time; never 0.
    static uintptr_t currentThread() {
#if defined(_WIN32)
        return uintptr_t(GetCurrentThreadId()) + 1;
#elif defined(__GNUC__) && (defined(__x86_64__) || defined(__aarch64__))
        return reinterpret_cast<uintptr_t>(__builtin_thread_pointer());
#else
        return uintptr_t(pthread_self());
#endif
    }

    // True while no second thread has ever been started in the process.
    static bool singleThreaded() {
#if defined(VEL_LOCK_KNOWS_SINGLE_THREAD)
        return __libc_single_threaded != 0;
#else
        return false;
#endif
    }

private:
    // The lock word: free, held by m_owner, or reserved for the biased thread m_bias.
    static constexpr int32_t kFree = 0;
    static constexpr int32_t kHeld = 1;
    static constexpr int32_t kBiased = 2;

    void lockSlow();
    bool tryLockBiased();
    void takeBias(uintptr_t self);
    // The biased thread met a revocation: true when that was called off and it holds the lock after all,
    // false when the bias is gone.
    bool yieldToRevoker();
    // Called by a thread that found the lock biased to another: true when it has revoked the bias and
    // now holds the lock, false when another thread did the revoking.
    bool revokeBias(uintptr_t self, bool wait);
    void lockContended(uintptr_t self);
    void wakeOne();
    void wakeRevoker();

    std::atomic<int32_t> m_state{kFree};
    // Asks to be woken that no release has answered yet (some from threads that got in after all).
    std::atomic<int32_t> m_sleepers{0};
    std::atomic<uintptr_t> m_owner{0};
    // How often the holder has taken the lock again on top of its first acquire.
    int32_t m_reentries = 0;
    // 1 until the lock has been biased once (or the system turned out to offer no barrier for it).
    std::atomic<int32_t> m_biasable{1};
    // The thread the lock is reserved for (0: none), and how often it holds it now.
    std::atomic<uintptr_t> m_bias{0};
    std::atomic<int32_t> m_biasDepth{0};
    // Raised by the thread that revokes the bias; lowered again only by a tryLock that finds the biased
    // thread inside and gives up.
    std::atomic<int32_t> m_revoked{0};
    // Sleepers sleep on it; every answered ask moves it on.
    std::atomic<int32_t> m_wakeSequence{0};
    std::atomic<int32_t> m_wakes{0};
    std::atomic<int32_t> m_sleeps{0};
};

static_assert(sizeof(VelLock) == 64, "the lock keeps to one cache line of its own");

// Holds a VelLock for the life of a scope.
class VelLockGuard {
public:
    explicit VelLockGuard(VelLock& lock) : m_lock(lock) { m_lock.lock(); }
    ~VelLockGuard() { m_lock.unlock(); }
    VelLockGuard(const VelLockGuard&) = delete;
    VelLockGuard& operator=(const VelLockGuard&) = delete;

private:
    VelLock& m_lock;
};
