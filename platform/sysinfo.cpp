// The performance counter and the process identifier of the operating system.

#include "platform/sysinfo.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#include <unistd.h>
#endif

uint64_t velPerformanceCounter() {
#if defined(_WIN32)
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return uint64_t(counter.QuadPart);
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
#endif
}

uint32_t velProcessId() {
#if defined(_WIN32)
    return uint32_t(GetCurrentProcessId());
#else
    return uint32_t(getpid());
#endif
}
