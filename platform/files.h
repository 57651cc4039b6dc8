#pragma once
// Low-level file calls on paths in the host's form: UTF-16 text with backslashes between the parts.
// Sizes and offsets are byte counts; every call answers -1 when it fails.

#include <cstdint>
#include <string>

enum VelSeekOrigin { VelSeekSet = 0, VelSeekCurrent = 1, VelSeekEnd = 2 };

// Creates a new file at `path` and opens it for reading and writing, raw (no text translation), readable
// and writable by its owner only. The name must be new: an existing file, or a link planted at the name,
// is never opened or written through. *nameTaken (may be null) tells whether the open failed because the
// name was already in use. On Windows the system deletes the file when it is closed.
// Returns a descriptor, or -1.
int velFileOpenTemporary(const char16_t* path, bool* nameTaken);

// Writes all `bytes` bytes, resuming after partial writes; returns how many were written.
int64_t velFileWrite(int fd, const void* data, int64_t bytes);
// Moves the file position; returns the new position from the start.
int64_t velFileSeek(int fd, int64_t offset, VelSeekOrigin origin);
// Reads up to `bytes` bytes, resuming after partial reads until the end of the file; returns how many.
int64_t velFileRead(int fd, void* data, int64_t bytes);
int velFileClose(int fd);
// Deletes the file at `path` (a link is deleted, never its target).
int velFileUnlink(const char16_t* path);

// The path as UTF-8 text (unpaired surrogates become U+FFFD) in the local system's form: POSIX systems
// get '/' for every backslash, Windows keeps the backslashes. Stops at the first zero code unit.
std::string velFileSystemPath(const char16_t* path);
