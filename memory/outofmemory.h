#pragma once
// The last step of memory exhaustion: tell the user through the host's error service, then end the process.

#include <cstdint>

// Failure codes of the guarded allocator.
enum VelOutOfMemoryCode : int32_t {
    VelSwapOpenFailed = -1, // the swap file could not be created
    VelSwapWriteShort = -2, // the swap file took fewer bytes than the block holds
    VelSwapReadFailed = -3, // seeking in or reading back the swap file failed
    VelNoMemory = -4,       // no memory to be had
};

// The message shown for codes -5 to -1 (before translation).
extern const char kVelOutOfMemoryMessage[];

// Shows the translated out-of-memory message through the host's error service (when there is one and
// the code is between -5 and -1), then ends the process with exit status -1 through the normal exit path.
[[noreturn]] void velNotifyOutOfMemory(int32_t code);
// The same, with a line that says more about the failure (say, which file could not be created and
// why); it follows the message in the same report, after an empty line. Null: the message alone.
[[noreturn]] void velNotifyOutOfMemory(int32_t code, const char* detail);
