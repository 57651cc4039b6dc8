#pragma once
// Names of swap files: the host's temporary directory followed by "\vel-<process>-<counter>-temp".

#include "runtime/pooledstring.h"

#include <cstdint>

// Replaces out's contents by the full path of a new swap file: the data store's "Directories/Temp
// Directory" when it has a value, otherwise the directory service's "temp" directory (a bare drive gets
// its root separator), then the file name. False when neither gives a directory: a swap file is never
// put into the root directory; out then holds the bare file name (without its separator), for reports.
bool velMakeSwapFilePath(PooledString& out);

// The directory service's "temp" directory, or an empty string when the host has no directory service.
// The service is looked up once, on the first call, and held until the module gives its module-wide
// references back (at unload, or when the host lets go of the module's last component).
const PooledString& velTempDirectory();

// The counter that makes swap file names unique; null restores the performance counter.
using VelCounterSource = uint64_t (*)();
void velSetSwapCounterSource(VelCounterSource source);
