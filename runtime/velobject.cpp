// Reference counting of framework objects and the checks that queryInterface chains are built from.

#include "runtime/velobject.h"

#include "runtime/hostcontext.h"
#include "runtime/typewalk.h"

#include <cstring>

namespace {

// The count an object is left with just before it deletes itself.
constexpr int32_t kDeletedCount = -42;

const char kUnknownName[] = "IVelUnknown";

} // namespace

void VelShared::addRef() {
    if (IVelHostContext* context = velHostContext()) {
        context->increment(&m_refCount);
        return;
    }
    ++m_refCount;
}

void VelShared::release() {
    if (IVelHostContext* context = velHostContext()) {
        if (context->decrement(&m_refCount))
            delete this;
        return;
    }
    // Without a host context: a release of an object nobody holds (count already 0 or below) must not
    // delete it a second time, so only the step from 1 to 0 deletes.
    --m_refCount;
    if (m_refCount == 0) {
        m_refCount = kDeletedCount;
        delete this;
    }
}

int32_t VelShared::refCount() {
    return m_refCount;
}

bool velCheckClass(const char* name, void* outOrWalk, const char* className, void* self, IVelUnknown* unknown,
                   bool skipInWalk) {
    if (!name) {
        // A type walk: a class marked to be skipped stops the walk without leaving a trace.
        if (skipInWalk)
            return true;
        if (outOrWalk)
            velWalkRecord(static_cast<VelTypeWalk*>(outOrWalk), className, 1);
        return false;
    }
    void** out = static_cast<void**>(outOrWalk);
    if (!out)
        return false;
    *out = nullptr;
    if (className && std::strcmp(name, className) == 0) {
        *out = self;
        return self != nullptr;
    }
    if (std::strcmp(name, kUnknownName) == 0) {
        *out = self ? static_cast<void*>(unknown) : nullptr;
        return *out != nullptr;
    }
    return false;
}

bool velCheckInterface(const char* name, void* outOrWalk, const char* interfaceName, void* part) {
    if (!name) {
        if (outOrWalk)
            velWalkRecord(static_cast<VelTypeWalk*>(outOrWalk), interfaceName, 0);
        return false;
    }
    void** out = static_cast<void**>(outOrWalk);
    if (!out)
        return false;
    // An earlier check of the chain has already found the part.
    if (*out)
        return true;
    if (interfaceName && std::strcmp(name, interfaceName) == 0)
        *out = part;
    return *out != nullptr;
}

void velEndClassWalk(const char* name, void* outOrWalk) {
    if (!name && outOrWalk)
        velWalkPop(static_cast<VelTypeWalk*>(outOrWalk));
}
