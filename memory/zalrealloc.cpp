// Guarded allocation: the heap first; then the host's memory manager; for growth also smaller sizes
// between the caller's minimum and maximum; as a last means the block goes out to a swap file, is freed,
// and comes back into a fresh block of the new size. When nothing helps, the process ends with the
// out-of-memory notification.
//
// Byte sizes are element size x count in 32 bits. A product that does not fit (or is negative) can never
// be allocated: it counts as a failed heap call, never as a shorter block.

#include "memory/zalrealloc.h"

#include "memory/heaphook.h"
#include "memory/outofmemory.h"
#include "memory/tempfiles.h"
#include "platform/files.h"
#include "runtime/iptr.h"
#include "runtime/modulereferences.h"
#include "runtime/pooledstring.h"
#include "runtime/services.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

// The memory manager gives memory back in units of this size; it is asked once per unit of shortfall.
constexpr int64_t kManagerUnit = 24576;
// Smaller sizes tried between the full maximum and the minimum.
constexpr int32_t kAttemptBudget = 7;
// The attempt budget below which the memory manager is consulted.
constexpr int32_t kAskManagerBelow = 6;
// Names tried for one swap file when the one chosen is already taken.
constexpr int kSwapNameAttempts = 16;

const char kSourceFile[] = "zalrealloc";
const char kCheckMaxAtLeastMin[] = "maxNewSize >= minNewSize";
constexpr int32_t kCheckMaxAtLeastMinLine = 344;
const char kCheckGrowth[] = "minNewSize > curSize && maxNewSize >= minNewSize";
constexpr int32_t kCheckGrowthLine = 365;
constexpr int kNoHandlerExitStatus = 255;

constexpr int64_t kNotRepresentable = -1;

// elementSize x count, or kNotRepresentable when that is negative or beyond 32 bits.
int64_t byteSize(int32_t elementSize, int32_t count) {
    const int64_t bytes = int64_t(elementSize) * int64_t(count);
    if (bytes < 0 || bytes > std::numeric_limits<int32_t>::max())
        return kNotRepresentable;
    return bytes;
}

// The host's memory manager, looked up once (until the module gives its module-wide references back);
// null when the host had none then.
VelMM::IVelMManager* memoryManager() {
    static VelModuleService<VelMM::IVelMManager> manager;
    return manager.get();
}

// A failed check: the host's assertion handler hears of it and the caller goes on; without a handler
// the process ends at once.
void checkFailed(const char* condition, int32_t line) {
    SPtr<IVelAssertHandlerCB> handler;
    if (!handler)
        std::_Exit(kNoHandlerExitStatus);
    handler->assertFailed(condition, kSourceFile, line);
}

// Asks the manager for memory and retries malloc until it succeeds or the manager has nothing left.
// A manager that answers false is dropped (*manager becomes null) for the rest of the caller's work.
void* mallocWithManager(int64_t bytes, VelMM::IVelMManager** manager) {
    void* block = nullptr;
    if (bytes < 0)
        return nullptr;
    while (*manager && !block) {
        if (!(*manager)->releaseMemory()) {
            *manager = nullptr;
            break;
        }
        block = velHeapAllocate(size_t(bytes));
    }
    return block;
}

// Resizes *block to newBytes, zero-filling from oldBytes on. A size of 0 frees the block. False (block
// untouched) when the heap refuses or the size cannot be expressed.
bool tryResize(void** block, int64_t oldBytes, int64_t newBytes) {
    if (newBytes < 0)
        return false;
    if (newBytes == 0) {
        velHeapRelease(*block);
        *block = nullptr;
        return true;
    }
    void* resized = velHeapReallocate(*block, size_t(newBytes));
    if (!resized)
        return false;
    if (newBytes > oldBytes)
        std::memset(static_cast<char*>(resized) + oldBytes, 0, size_t(newBytes - oldBytes));
    *block = resized;
    return true;
}

bool samePath(const PooledString& a, const PooledString& b) {
    const int32_t length = a.length();
    return length == b.length() &&
           std::memcmp(a.textOrEmpty(), b.textOrEmpty(), size_t(length) * sizeof(char16_t)) == 0;
}

// Why no swap file could be made, as the last line of the out-of-memory report.
void describeRefusal(char* out, size_t size, const PooledString& path, const char* reason) {
    const std::string local = velFileSystemPath(path.textOrEmpty());
    std::snprintf(out, size, "The swap file %s could not be created: %s.", local.c_str(), reason);
}

// Creates a new swap file and leaves its path in `path`. A name that is already taken (a file or a link
// someone placed there) is never opened: the next name comes from a fresh counter reading, with a
// suffix when that reading gives the same name again. Without a temporary directory nothing is created.
// -1 when no file could be created; `refusal` then says which and why.
int createSwapFile(PooledString& path, char* refusal, size_t refusalSize) {
    PooledString refused;
    for (int attempt = 0; attempt < kSwapNameAttempts; ++attempt) {
        if (!velMakeSwapFilePath(path)) {
            describeRefusal(refusal, refusalSize, path,
                            "no temporary directory is set (the data store's \"Directories/Temp Directory\" "
                            "and the directory service's \"temp\" are both empty)");
            return -1;
        }
        if (attempt > 0 && samePath(path, refused)) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "-%d", attempt);
            path.append(PooledString::fromLatin1(suffix));
        }
        bool nameTaken = false;
        errno = 0;
        const int fd = velFileOpenTemporary(path.textOrEmpty(), &nameTaken);
        if (fd >= 0)
            return fd;
        const int error = errno;
        if (!nameTaken || attempt + 1 == kSwapNameAttempts) {
            describeRefusal(refusal, refusalSize, path,
                            error ? std::strerror(error) : "the system gave no reason");
            return -1;
        }
        refused = path;
    }
    return -1;
}

// Ends the swap-out on a failure path: the file is closed and deleted before the process ends.
[[noreturn]] void abandonSwapFile(int fd, const PooledString& path, int32_t code) {
    velFileClose(fd);
    velFileUnlink(path.textOrEmpty());
    velNotifyOutOfMemory(code);
}

// Writes the block's oldBytes out, frees it, allocates newBytes and reads the contents back; so the old
// and the new block are never needed at the same time. Returns count, or ends the process.
int32_t swapOut(void** block, int64_t oldBytes, int32_t count, int64_t newBytes,
                VelMM::IVelMManager* manager) {
    // A size that can never be allocated must not cost the caller its data.
    if (newBytes < 0)
        velNotifyOutOfMemory(VelNoMemory);

    PooledString path;
    char refusal[1024] = "";
    const int fd = createSwapFile(path, refusal, sizeof refusal);
    if (fd < 0)
        velNotifyOutOfMemory(VelSwapOpenFailed, refusal);
    if (velFileWrite(fd, *block, oldBytes) != oldBytes)
        abandonSwapFile(fd, path, VelSwapWriteShort);

    velHeapRelease(*block);
    *block = nullptr;
    void* fresh = velHeapAllocate(size_t(newBytes));
    if (!fresh && newBytes > 0)
        fresh = mallocWithManager(newBytes, &manager);
    if (!fresh && newBytes > 0)
        abandonSwapFile(fd, path, VelNoMemory);

    if (velFileSeek(fd, 0, VelSeekSet) != 0 || velFileRead(fd, fresh, oldBytes) != oldBytes) {
        velHeapRelease(fresh);
        abandonSwapFile(fd, path, VelSwapReadFailed);
    }
    velFileClose(fd);
    velFileUnlink(path.textOrEmpty());
    if (newBytes > oldBytes)
        std::memset(static_cast<char*>(fresh) + oldBytes, 0, size_t(newBytes - oldBytes));
    *block = fresh;
    return count;
}

} // namespace

int32_t zalMalloc(void** block, int32_t elementSize, int32_t count) {
    if (!block)
        return 0;
    const int64_t bytes = byteSize(elementSize, count);
    void* fresh = bytes >= 0 ? velHeapAllocate(size_t(bytes)) : nullptr;
    if (!fresh && bytes > 0) {
        VelMM::IVelMManager* manager = memoryManager();
        fresh = mallocWithManager(bytes, &manager);
    }
    if (!fresh && bytes != 0)
        velNotifyOutOfMemory(VelNoMemory);
    *block = fresh;
    return count;
}

int32_t zalRealloc(void** block, int32_t elementSize, int32_t curCount, int32_t minCount, int32_t maxCount) {
    if (!block)
        return 0;
    if (curCount == minCount)
        return curCount;
    if ((!*block || curCount == 0) && minCount > 0) {
        // A block that holds no elements is given back before its reference is overwritten.
        if (*block) {
            velHeapRelease(*block);
            *block = nullptr;
        }
        return zalMalloc(block, elementSize, minCount);
    }
    // A negative count of elements held cannot describe a block; nothing is touched.
    if (curCount < 0)
        return curCount;

    if (maxCount == -1)
        maxCount = minCount;
    else if (maxCount < minCount)
        checkFailed(kCheckMaxAtLeastMin, kCheckMaxAtLeastMinLine);

    const int64_t oldBytes = byteSize(elementSize, curCount);
    if (oldBytes < 0)
        return curCount;

    if (maxCount < curCount) {
        if (maxCount == 0 && *block) {
            velHeapRelease(*block);
            *block = nullptr;
            return 0;
        }
        // A shrink the heap refuses leaves the old block, which still holds every element.
        if (!tryResize(block, oldBytes, byteSize(elementSize, maxCount)))
            return curCount;
        return maxCount;
    }
    if (minCount <= curCount)
        return curCount;

    if (maxCount < minCount)
        checkFailed(kCheckGrowth, kCheckGrowthLine);

    int64_t newBytes = byteSize(elementSize, maxCount);
    if (tryResize(block, oldBytes, newBytes))
        return maxCount;

    VelMM::IVelMManager* manager = memoryManager();
    int32_t budget = kAttemptBudget;
    while (minCount < maxCount) {
        if (budget > 0)
            maxCount = int32_t((int64_t(minCount) + int64_t(maxCount)) >> 1);
        else
            maxCount = minCount;
        newBytes = byteSize(elementSize, maxCount);
        if (tryResize(block, oldBytes, newBytes))
            return maxCount;

        if (budget < kAskManagerBelow && manager && newBytes >= 0) {
            const int64_t asks = (newBytes - oldBytes) / kManagerUnit + 1 + 1;
            for (int64_t i = 0; i < asks && manager; ++i) {
                if (!manager->releaseMemory()) {
                    manager = nullptr;
                    break;
                }
                if (tryResize(block, oldBytes, newBytes))
                    return maxCount;
            }
        }
        if (--budget < 0)
            break;
    }
    return swapOut(block, oldBytes, maxCount, newBytes, manager);
}
