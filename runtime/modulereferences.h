#pragma once
// The module's module-wide references on host objects: service pointers that look their service up on
// first use, and the current translator. They are counted by the host context, so they must go back
// while that context is alive: when the module unloads (the usual order), when the module's last
// component goes (the host's last word to the module; a host may end its context before the module is
// unloaded), and when the host context of a runtime that is linked into the host itself ends (see
// velReleaseModuleReferences). A holder that has let go looks its object up again when next used.

#include "runtime/iptr.h"

#include <cstdint>

// One module-wide holder; holders enlist themselves on first use and leave the list when destroyed.
class VelModuleReference {
public:
    constexpr VelModuleReference() = default;
    VelModuleReference(const VelModuleReference&) = delete;
    VelModuleReference& operator=(const VelModuleReference&) = delete;

    // Gives the held reference back through the current host context and forgets the look-up.
    virtual void letGo() = 0;

    // Puts the holder on the module's list (once).
    void enlistOnce();

protected:
    ~VelModuleReference();

private:
    friend void velReleaseModuleReferences();
    VelModuleReference* m_next = nullptr;
    bool m_listed = false;
};

// Every holder gives its reference back now, through the current host context.
void velReleaseModuleReferences();

// A module-wide service pointer: the service of T's interface name, looked up on the first get() and
// held until the holder lets go (then looked up again on the next get()).
template <class T> class VelModuleService : public VelModuleReference {
public:
    constexpr VelModuleService() = default;
    ~VelModuleService() { m_ptr.reset(); }

    T* get() {
        if (!m_looked) {
            m_looked = true;
            m_ptr.query(VelInterfaceName<T>::value);
            enlistOnce();
        }
        return m_ptr.get();
    }
    void letGo() override {
        m_ptr.reset();
        m_looked = false;
    }

private:
    IPtr<T> m_ptr;
    bool m_looked = false;
};
