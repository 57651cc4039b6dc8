#include "platform/registry.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>

bool velReadRegistryValue(VelRegistryHive hive, const char* key, const char* value, char* buffer,
                          uint32_t* size) {
    if (!key || !value || !size)
        return false;
    HKEY root = HKEY_CURRENT_USER;
    switch (hive) {
    case VelRegistryHive::CurrentUser:
        root = HKEY_CURRENT_USER;
        break;
    }
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD length = *size;
    const LONG result =
        RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &length);
    RegCloseKey(handle);
    *size = length;
    return result == ERROR_SUCCESS;
}

#else

#include "platform/registrytext.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What tells one state of a file from another without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

FileStamp stampOf(const struct stat& status) {
    FileStamp stamp;
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modified = status.st_mtim;
    stamp.changed = status.st_ctim;
    return stamp;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameStamp(const FileStamp& a, const FileStamp& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           sameTime(a.modified, b.modified) && sameTime(a.changed, b.changed);
}

// File systems keep times in steps of a clock tick, up to two seconds: a file changed within that long
// before it was read could change again and keep the same stamp. Such a read is not reused. The change
// time tells, since no call can set it back (the modification time can be set to anything).
constexpr time_t kTimeStepSeconds = 2;

bool settledBefore(const FileStamp& stamp, const timespec& readAt) {
    return stamp.changed.tv_sec < readAt.tv_sec - kTimeStepSeconds;
}

// The text of the last read of the registry file, reused while the file keeps its stamp.
struct LastRead {
    std::string path;
    FileStamp stamp;
    std::string text;
    bool reusable = false;
};

std::mutex& lastReadLock() {
    static std::mutex lock;
    return lock;
}

LastRead& lastRead() {
    static LastRead last;
    return last;
}

uint64_t g_fileReads = 0;

// Reads the whole of a regular file of at most kVelRegistryFileMaxBytes without ever waiting: the file is
// opened non-blocking and measured through its descriptor before a byte is read, so a pipe, a device
// or a file that changed into one is refused.
std::optional<std::string> readRegularFile(const std::string& path, FileStamp& stamp) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> text;
    struct stat status;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0 &&
        uint64_t(status.st_size) <= kVelRegistryFileMaxBytes) {
        stamp = stampOf(status);
        ++g_fileReads;
        // One byte more than the cap shows a file that grew after it was measured.
        std::string bytes(size_t(kVelRegistryFileMaxBytes) + 1, '\0');
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::read(fd, &bytes[done], bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                done = bytes.size(); // refused below, like a file that grew past the cap
                break;
            }
            if (n == 0)
                break;
            done += size_t(n);
        }
        if (done <= kVelRegistryFileMaxBytes) {
            bytes.resize(done);
            text = std::move(bytes);
        }
    }
    ::close(fd);
    return text;
}

// The data of value under key in the registry file at path. The file's text comes from the last read
// while the file keeps its stamp.
std::optional<std::string> registryValue(const std::string& path, std::string_view key,
                                         std::string_view value) {
    std::lock_guard<std::mutex> guard(lastReadLock());
    LastRead& last = lastRead();
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        last.reusable = false;
        return std::nullopt;
    }
    if (last.reusable && last.path == path && sameStamp(last.stamp, stampOf(status)))
        return velRegistryValueFromText(last.text, key, value);
    last.reusable = false;
    // Anything but a regular file of a bounded size is not even opened.
    if (!S_ISREG(status.st_mode) || status.st_size < 0 || uint64_t(status.st_size) > kVelRegistryFileMaxBytes)
        return std::nullopt;
    timespec readAt{};
    ::clock_gettime(CLOCK_REALTIME, &readAt);
    FileStamp stamp;
    std::optional<std::string> text = readRegularFile(path, stamp);
    if (!text)
        return std::nullopt;
    last.path = path;
    last.stamp = stamp;
    last.text = std::move(*text);
    last.reusable = settledBefore(stamp, readAt);
    return velRegistryValueFromText(last.text, key, value);
}

std::string environment(const char* name) {
    const char* text = std::getenv(name);
    return text ? std::string(text) : std::string();
}

} // namespace

std::string velRegistryFilePath() {
    std::string path = environment("MELVORO_REGISTRY_FILE");
    if (!path.empty())
        return path;
    const std::string config = environment("XDG_CONFIG_HOME");
    if (!config.empty() && config.front() == '/')
        return config + "/melvoro/registry.ini";
    const std::string home = environment("HOME");
    if (!home.empty())
        return home + "/.config/melvoro/registry.ini";
    return {};
}

uint64_t velRegistryFileReads() {
    std::lock_guard<std::mutex> guard(lastReadLock());
    return g_fileReads;
}

bool velReadRegistryValue(VelRegistryHive hive, const char* key, const char* value, char* buffer,
                          uint32_t* size) {
    if (!key || !value || !size)
        return false;
    switch (hive) {
    case VelRegistryHive::CurrentUser:
        break;
    }
    const std::string path = velRegistryFilePath();
    if (path.empty())
        return false;
    const std::optional<std::string> data = registryValue(path, key, value);
    if (!data)
        return false;
    const uint32_t capacity = *size;
    *size = uint32_t(data->size());
    if (!buffer)
        return true;
    if (data->size() > capacity)
        return false;
    std::memcpy(buffer, data->data(), data->size());
    return true;
}

#endif
