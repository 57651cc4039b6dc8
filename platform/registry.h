#pragma once
// Reading one value of the current user's registry.
//
// On Windows this is the system registry. Elsewhere the current user's registry is a text file:
//   - the file named by the environment variable MELVORO_REGISTRY_FILE when it is set and not empty;
//   - otherwise $XDG_CONFIG_HOME/melvoro/registry.ini when XDG_CONFIG_HOME is an absolute path;
//   - otherwise $HOME/.config/melvoro/registry.ini.
// The file holds one section per key, named by the key's path, and one line per value:
//
//   ; comment
//   [Software\Microsoft\Windows\CurrentVersion\ThemeManager]
//   ThemeActive=1
//   RawBytes=hex:31,00
//
// Key and value names compare without regard to ASCII case, as the system registry does. A text value
// holds its text and a terminating zero byte (so "1" is two bytes long); a value written as hex:... holds
// exactly the listed bytes. Blanks around names and values are ignored.
//
// Only a regular file of at most kVelRegistryFileMaxBytes is read; anything else (a directory, a pipe, a
// device, a larger file) reads as no file. Reading never waits for a writer. A call answers from the
// text of the last read while the file keeps its device, inode, size and modification and change times
// (in nanoseconds), so every change of the file shows at the next call and an unchanged file costs one
// stat per call.

#include <cstdint>
#include <string>

enum class VelRegistryHive {
    CurrentUser,
};

// Reads the data of `value` under `key` into buffer, which holds *size bytes. On success answers true
// and sets *size to the number of bytes stored. When the data does not fit, answers false and sets *size
// to the length it needs; a missing key, value or file answers false. A null buffer asks only for the
// length. A null key, value or size answers false.
bool velReadRegistryValue(VelRegistryHive hive, const char* key, const char* value, char* buffer,
                          uint32_t* size);

#ifndef _WIN32
// The largest registry file that is read: 64 KiB.
constexpr uint64_t kVelRegistryFileMaxBytes = 64 * 1024;

// The registry file that velReadRegistryValue reads on this system; empty when none can be named.
std::string velRegistryFilePath();

// How often a registry file has been read from disk so far, in this process.
uint64_t velRegistryFileReads();
#endif
