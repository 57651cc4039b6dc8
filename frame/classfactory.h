#pragma once
// The module's registry of creatable classes, keyed by class identifier.

#include "runtime/velid.h"
#include "runtime/velobject.h"

#include <new>

class IVelClassFactory {
public:
    virtual ~IVelClassFactory() = default;
    virtual int32_t create(const VelID& classId, IVelUnknown** out) = 0;
    virtual int32_t count() = 0;
    virtual bool first(VelID& out) = 0;
    virtual bool next(VelID& out) = 0;
    virtual const char* className(const VelID& classId) = 0;
};

// Knows one class's name and identifier and creates its objects. Registers itself when constructed.
class VelItemFactory {
public:
    VelItemFactory(const char* className, const VelID& classId);
    virtual ~VelItemFactory() = default;
    virtual IVelUnknown* create(int32_t* status) = 0;
    virtual const char* className() { return m_className; }
    const VelID& classId() const { return m_classId; }

private:
    const char* m_className;
    VelID m_classId;
};

template <class T> class VelTClassItemFactory : public VelItemFactory {
public:
    using VelItemFactory::VelItemFactory;
    IVelUnknown* create(int32_t* status) override {
        *status = 1;
        T* object = new T();
        return static_cast<IVelUnknown*>(object);
    }
};

class VelDefaultClassFactory : public IVelClassFactory {
public:
    // The module's one class factory, made with its registry on the first call.
    static VelDefaultClassFactory* instance();

    void registerFactory(VelItemFactory* factory);

    int32_t create(const VelID& classId, IVelUnknown** out) override;
    int32_t count() override;
    bool first(VelID& out) override;
    bool next(VelID& out) override;
    const char* className(const VelID& classId) override;
};

// Frees the class factory and its registry (at unload, when no component is left to use them); the
// registered item factories are not touched. A later instance() makes a new, empty one.
void velDestroyClassFactory();

// The module's classes: the module installs one registration function at load; the first initialize
// of a component runs it, and later ones do nothing once it has succeeded.
using VelClassRegistration = void (*)();
struct VelModuleClasses {
    explicit VelModuleClasses(VelClassRegistration registration);
};
void velRegisterModuleClasses();

// Constructs T's static item factory on its first call, which registers it; destroyed at unload.
template <class T> void velRegisterClass(const char* name, const VelID& classId) {
    static VelTClassItemFactory<T> factory(name, classId);
    (void)factory;
}
