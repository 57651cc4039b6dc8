// Swap file paths.

#include "memory/tempfiles.h"

#include "platform/sysinfo.h"
#include "runtime/iptr.h"
#include "runtime/modulereferences.h"
#include "runtime/services.h"

#include <cstdio>

namespace {

const char kTempDirectoryKey[] = "Directories/Temp Directory";
const char kTempDirectoryName[] = "temp";
const char kFileNamePattern[] = "\\vel-%08x-%08x-temp";

VelCounterSource g_counter = &velPerformanceCounter;

} // namespace

void velSetSwapCounterSource(VelCounterSource source) {
    g_counter = source ? source : &velPerformanceCounter;
}

const PooledString& velTempDirectory() {
    static VelModuleService<IVelDirService> service;
    if (IVelDirService* directories = service.get())
        return directories->directory(kTempDirectoryName);
    static const PooledString fallback;
    return fallback;
}

bool velMakeSwapFilePath(PooledString& out) {
    const uint64_t counter = g_counter();
    const uint32_t process = velProcessId();

    SPtr<IDataStore> store;
    out.freeText();
    if (store) {
        const PooledString& configured = store->stringValue(kTempDirectoryKey, nullptr);
        if (&configured != &out)
            out = configured;
    }
    if (out.isEmpty())
        out = velTempDirectory().pathWithRootSeparator();

    char name[64];
    std::snprintf(name, sizeof name, kFileNamePattern, unsigned(process), unsigned(uint32_t(counter)));
    // Without a directory the name alone would denote the root of the drive.
    if (out.isEmpty()) {
        out = PooledString::fromLatin1(name + 1);
        return false;
    }
    out.append(PooledString::fromLatin1(name));
    return true;
}
