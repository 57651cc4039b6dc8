// Messages for the user go to the host's error service, with level 1 and the module's context name.

#include "runtime/services.h"

PooledName& velModuleContextName() {
    // Empty for the module's whole life; destroyed at unload like any other name.
    static PooledName name;
    return name;
}

void velReportError(const PooledString& message) {
    SPtr<IVelErrorService> service;
    if (!service)
        return;
    int32_t level = 1;
    service->report(message, &level, &velModuleContextName());
}
