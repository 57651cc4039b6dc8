#pragma once
// The host services the runtime looks up by interface name. Each declares its operations in their
// fixed table positions; placeholders stand for operations the module never calls.

#include "runtime/iptr.h"
#include "runtime/pooledstring.h"
#include "runtime/velid.h"
#include "runtime/velobject.h"

#define VEL_PLACEHOLDER(n)                                                                                   \
    virtual void unusedSlot##n() {}

// Collects messages for the user.
class IVelErrorService : public virtual IVelUnknown {
public:
    VEL_PLACEHOLDER(1)
    VEL_PLACEHOLDER(2)
    virtual int32_t report(const PooledString& message, int32_t* level, PooledName* context) = 0;
};
VEL_INTERFACE_NAME(IVelErrorService, "IVelErrorService");

// String values by key path ("Directories/Temp Directory").
class IDataStore : public virtual IVelUnknown {
public:
    VEL_PLACEHOLDER(1)
    VEL_PLACEHOLDER(2)
    VEL_PLACEHOLDER(3)
    VEL_PLACEHOLDER(4)
    VEL_PLACEHOLDER(5)
    VEL_PLACEHOLDER(6)
    VEL_PLACEHOLDER(7)
    VEL_PLACEHOLDER(8)
    VEL_PLACEHOLDER(9)
    VEL_PLACEHOLDER(10)
    VEL_PLACEHOLDER(11)
    VEL_PLACEHOLDER(12)
    VEL_PLACEHOLDER(13)
    VEL_PLACEHOLDER(14)
    VEL_PLACEHOLDER(15)
    VEL_PLACEHOLDER(16)
    VEL_PLACEHOLDER(17)
    VEL_PLACEHOLDER(18)
    VEL_PLACEHOLDER(19)
    VEL_PLACEHOLDER(20)
    VEL_PLACEHOLDER(21)
    VEL_PLACEHOLDER(22)
    VEL_PLACEHOLDER(23)
    VEL_PLACEHOLDER(24)
    // The string stored under keyPath; an empty string when there is none. `second` is always null.
    virtual const PooledString& stringValue(const char* keyPath, const void* second) = 0;
};
VEL_INTERFACE_NAME(IDataStore, "IDataStore");

// Named directories of the host ("temp").
class IVelDirService : public virtual IVelUnknown {
public:
    virtual const PooledString& directory(const char* key) = 0;
};
VEL_INTERFACE_NAME(IVelDirService, "IVelDirService");

// Told about failed checks; returns to the caller.
class IVelAssertHandlerCB : public virtual IVelUnknown {
public:
    virtual void assertFailed(const char* condition, const char* file, int32_t line) = 0;
};
VEL_INTERFACE_NAME(IVelAssertHandlerCB, "IVelAssertHandlerCB");

namespace VelMM {
// Gives memory back to the heap on request.
class IVelMManager : public virtual IVelUnknown {
public:
    VEL_PLACEHOLDER(1)
    VEL_PLACEHOLDER(2)
    VEL_PLACEHOLDER(3)
    VEL_PLACEHOLDER(4)
    VEL_PLACEHOLDER(5)
    VEL_PLACEHOLDER(6)
    VEL_PLACEHOLDER(7)
    VEL_PLACEHOLDER(8)
    VEL_PLACEHOLDER(9)
    VEL_PLACEHOLDER(10)
    // True when some memory was given back and a retry may succeed.
    virtual bool releaseMemory() = 0;
};
} // namespace VelMM
VEL_INTERFACE_NAME(VelMM::IVelMManager, "IVelMManager");

class IVelTranslator;

// Hands out the translator of a component.
class IVelTranslatorService : public virtual IVelUnknown {
public:
    VEL_PLACEHOLDER(1)
    virtual IVelTranslator* translatorFor(const VelID& component) = 0;
};
VEL_INTERFACE_NAME(IVelTranslatorService, "IVelTranslatorService");

// The module context name passed with every report: empty for the module's whole life.
PooledName& velModuleContextName();

// Reports a message to the host's error service with level 1; nothing happens without one.
void velReportError(const PooledString& message);
