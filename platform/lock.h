#pragma once
// VelLock: a lean re-entrant lock. The thread that holds it may take it again; every lock() needs its
// unlock(). An uncontended acquire is one atomic compare-exchange and the release is plain stores; a
// thread that finds the lock taken spins with growing pauses and then sleeps in the kernel until the
// holder lets go.
//
// While the process has a single thread (as the C library tracks it; never again once a second thread
// has been started) nobody can contend for the lock, and it is taken with plain loads and stores, as the
// C library does for its own locks.
//
// The lock word, the holder and the count of sleepers share one cache line of their own, so the holder
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
        if (singleThreaded() && m_state.load(std::memory_order_relaxed) == kFree) {
            m_state.store(kHeld, std::memory_order_relaxed);
        } else {
            int32_t expected = kFree;
            if (!m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                                 std::memory_order_relaxed)) {
                const uintptr_t self = currentThread();
                if (m_owner.load(std::memory_order_relaxed) == self) {
                    ++m_reentries;
                    return;
                }
                lockContended();
            }
        }
        m_owner.store(currentThread(), std::memory_order_relaxed);
    }

    // Takes the lock only if that needs no waiting; true when the calling thread now holds it.
    bool tryLock() {
        int32_t expected = kFree;
        if (m_state.compare_exchange_strong(expected, kHeld, std::memory_order_acquire,
                                            std::memory_order_relaxed)) {
            m_owner.store(currentThread(), std::memory_order_relaxed);
            return true;
        }
        if (m_owner.load(std::memory_order_relaxed) != currentThread())
            return false;
        ++m_reentries;
        return true;
    }

    // Gives up one level of holding. A thread that does not hold the lock changes nothing.
    void unlock() {
        if (m_owner.load(std::memory_order_relaxed) != currentThread())
            return;
        if (m_reentries > 0) {
            --m_reentries;
            return;
        }
        m_owner.store(0, std::memory_order_relaxed);
        m_state.store(kFree, std::memory_order_release);
        // The sleeper count must be read after the lock word is given up, never before: a thread that
        // goes to sleep first counts itself and then makes every running thread's stores visible, so
        // either it sees the lock free or this thread sees it counted.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        if (m_sleepers.load(std::memory_order_relaxed) != 0)
            wakeOne();
    }

    bool heldByCurrentThread() const { return m_owner.load(std::memory_order_relaxed) == currentThread(); }
    // How often the calling thread holds the lock (0 when it does not).
    int32_t depth() const { return heldByCurrentThread() ? m_reentries + 1 : 0; }

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
    static constexpr int32_t kFree = 0;
    static constexpr int32_t kHeld = 1;

    void lockContended();
    void wakeOne();

    std::atomic<int32_t> m_state{kFree};
    // Threads that are about to sleep or asleep on the lock word.
    std::atomic<int32_t> m_sleepers{0};
    std::atomic<uintptr_t> m_owner{0};
    // How often the holder has taken the lock again on top of its first acquire.
    int32_t m_reentries = 0;
};

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
