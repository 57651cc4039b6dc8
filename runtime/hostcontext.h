#pragma once
// IVelHostContext: the host's object behind every service look-up and every reference count.
// Twelve operations in fixed positions; the module uses the seventh and the tenth to twelfth.

#include <cstdint>

struct PooledName;

class IVelHostContext {
public:
    virtual void reserved1() {}
    virtual void reserved2() {}
    virtual void reserved3() {}
    virtual void reserved4() {}
    virtual void reserved5() {}
    virtual void reserved6() {}
    // Stores the service of that interface name, already converted to the requested interface, in *out.
    virtual int32_t findService(const PooledName* name, void** out) = 0;
    virtual void reserved8() {}
    virtual void reserved9() {}
    virtual char characterValue() = 0;
    virtual void increment(int32_t* count) = 0;
    // True when the object whose count this is must be deleted.
    virtual bool decrement(int32_t* count) = 0;

protected:
    ~IVelHostContext() = default;
};

// The module-wide host context: null until the first initialize, then the last one given.
IVelHostContext* velHostContext();
void velSetHostContext(IVelHostContext* context);
