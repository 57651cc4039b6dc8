#pragma once
// Facts about the running process that the runtime puts into names: a high-resolution counter and the
// process identifier.

#include <cstdint>

// A counter that only moves forward and changes many times a second (nanoseconds on POSIX systems).
uint64_t velPerformanceCounter();

// The identifier of the current process.
uint32_t velProcessId();
