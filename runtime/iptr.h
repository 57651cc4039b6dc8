#pragma once
// IPtr owns one reference to an interface; SPtr is an IPtr that fills itself by asking the host
// context for the service named after its interface.

#include "runtime/hostcontext.h"
#include "runtime/pooledstring.h"
#include "runtime/velobject.h"

// The name a service interface is looked up by; each service interface declares its own.
template <class T> struct VelInterfaceName;

#define VEL_INTERFACE_NAME(Type, Text)                                                                       \
    template <> struct VelInterfaceName<Type> { static constexpr const char* value = Text; }

template <class T, class U = IVelUnknown> class IPtr {
public:
    IPtr() = default;
    IPtr(const IPtr&) = delete;
    IPtr& operator=(const IPtr&) = delete;
    virtual ~IPtr() { reset(); }

    IPtr& operator=(T* p) {
        if (p)
            static_cast<U*>(p)->addRef();
        if (m_holder) {
            m_holder->release();
            m_holder = nullptr;
        }
        m_ptr = p;
        m_holder = p ? static_cast<U*>(p) : nullptr;
        return *this;
    }

    void reset() {
        U* holder = m_holder;
        m_ptr = nullptr;
        m_holder = nullptr;
        if (holder)
            holder->release();
    }

    // Looks the interface up by the given name through the host context.
    int32_t query(const char* name) {
        reset();
        PooledName n = PooledName::borrowed(name);
        int32_t result = 0;
        if (IVelHostContext* context = velHostContext()) {
            void* out = nullptr;
            result = context->findService(&n, &out);
            m_ptr = static_cast<T*>(out);
        }
        if (m_ptr) {
            m_holder = static_cast<U*>(m_ptr);
            m_holder->addRef();
        }
        return result;
    }

    T* get() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

protected:
    T* m_ptr = nullptr;
    U* m_holder = nullptr;
};

template <class T, class U = IVelUnknown> class SPtr : public IPtr<T, U> {
public:
    SPtr() { acquire(); }
    int32_t acquire() { return this->query(VelInterfaceName<T>::value); }
};
