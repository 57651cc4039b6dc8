#pragma once
// The root of every object that crosses the component boundary: virtual destruction (VelObject),
// reference counting (VelShared) and query by class or interface name (IVelUnknown).

#include <cstdint>

class VelObject {
public:
    virtual ~VelObject() = default;
};

class VelShared : public VelObject {
public:
    // Counts through the host context once the host has given one; on its own otherwise.
    virtual void addRef();
    virtual void release();
    virtual int32_t refCount();

protected:
    int32_t m_refCount = 0;
};

class IVelUnknown : public VelShared {
public:
    // With a name, outOrWalk is the address of a pointer that receives the part of that name (or null).
    // With a null name, outOrWalk is the address of a VelTypeWalk and the call walks the object's type.
    // reserved: callers pass 0.
    virtual bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) = 0;
    virtual const char* className() = 0;
};

// Cast by class name: the part of obj answering `name`, or null. Adds no reference.
template <class T> T* velCast(IVelUnknown* obj, const char* name) {
    void* out = nullptr;
    if (obj && obj->queryInterface(name, &out, 0))
        return static_cast<T*>(out);
    return nullptr;
}

// Building blocks of queryInterface chains. A class whose type walk must be skipped passes skipInWalk.
// Class check: own class or a base class X, answering X's name and "IVelUnknown".
bool velCheckClass(const char* name, void* outOrWalk, const char* className, void* self, IVelUnknown* unknown,
                   bool skipInWalk = false);
// Interface check for interface Y.
bool velCheckInterface(const char* name, void* outOrWalk, const char* interfaceName, void* part);
// Closes the walk of a class that has a base class: pops the walk's class stack once (null name only).
void velEndClassWalk(const char* name, void* outOrWalk);
