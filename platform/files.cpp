// The file calls of the swap-out. Windows takes the UTF-16 path as it is; POSIX systems get it converted
// to UTF-8 with '/' separators at this boundary, and nowhere else.

#include "platform/files.h"

#include <cerrno>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The most one read or write call is asked to move; larger transfers are split.
constexpr int64_t kLargestTransfer = 1 << 30;

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Moves `bytes` bytes in calls of at most kLargestTransfer each; `transfer(done, chunk)` makes one call
// for the `chunk` bytes after the first `done` and answers what it moved. An interrupted call is made
// again; a failing one, or one that moves nothing, ends the transfer. Answers the bytes moved.
template <class Transfer> int64_t transferInChunks(int64_t bytes, Transfer transfer) {
    int64_t done = 0;
    while (done < bytes) {
        const int64_t chunk = bytes - done < kLargestTransfer ? bytes - done : kLargestTransfer;
        const int64_t n = transfer(done, chunk);
#if !defined(_WIN32)
        if (n < 0 && errno == EINTR)
            continue;
#endif
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

#if defined(_WIN32)
const wchar_t* widePath(const char16_t* path) {
    return reinterpret_cast<const wchar_t*>(path);
}
#endif

} // namespace

std::string velFileSystemPath(const char16_t* path) {
    std::string out;
    if (!path)
        return out;
    for (const char16_t* p = path; *p; ++p) {
        uint32_t unit = *p;
#if !defined(_WIN32)
        if (unit == u'\\') {
            out += '/';
            continue;
        }
#endif
        if (unit >= 0xD800 && unit <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (uint32_t(p[1]) - 0xDC00));
            ++p;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(out, 0xFFFD);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

int velFileOpenTemporary(const char16_t* path, bool* nameTaken) {
    if (nameTaken)
        *nameTaken = false;
    if (!path || !*path)
        return -1;
#if defined(_WIN32)
    const int fd =
        _wopen(widePath(path), _O_RDWR | _O_BINARY | _O_CREAT | _O_EXCL | _O_TEMPORARY, _S_IREAD | _S_IWRITE);
#else
    const std::string local = velFileSystemPath(path);
    int fd;
    do {
        fd = open(local.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    } while (fd < 0 && errno == EINTR);
#endif
    if (fd < 0 && nameTaken)
        *nameTaken = errno == EEXIST || errno == ELOOP;
    return fd;
}

int64_t velFileWrite(int fd, const void* data, int64_t bytes) {
    if (fd < 0 || bytes < 0 || (bytes > 0 && !data))
        return -1;
    const char* p = static_cast<const char*>(data);
    return transferInChunks(bytes, [fd, p](int64_t done, int64_t chunk) -> int64_t {
#if defined(_WIN32)
        return _write(fd, p + done, unsigned(chunk));
#else
        return write(fd, p + done, size_t(chunk));
#endif
    });
}

int64_t velFileSeek(int fd, int64_t offset, VelSeekOrigin origin) {
    if (fd < 0)
        return -1;
    const int whence = origin == VelSeekSet ? SEEK_SET : origin == VelSeekCurrent ? SEEK_CUR : SEEK_END;
#if defined(_WIN32)
    return _lseeki64(fd, offset, whence);
#else
    return lseek(fd, off_t(offset), whence);
#endif
}

int64_t velFileRead(int fd, void* data, int64_t bytes) {
    if (fd < 0 || bytes < 0 || (bytes > 0 && !data))
        return -1;
    char* p = static_cast<char*>(data);
    return transferInChunks(bytes, [fd, p](int64_t done, int64_t chunk) -> int64_t {
#if defined(_WIN32)
        return _read(fd, p + done, unsigned(chunk));
#else
        return read(fd, p + done, size_t(chunk));
#endif
    });
}

int velFileClose(int fd) {
    if (fd < 0)
        return -1;
#if defined(_WIN32)
    return _close(fd);
#else
    return close(fd);
#endif
}

int velFileUnlink(const char16_t* path) {
    if (!path || !*path)
        return -1;
#if defined(_WIN32)
    return _wunlink(widePath(path));
#else
    return unlink(velFileSystemPath(path).c_str());
#endif
}
