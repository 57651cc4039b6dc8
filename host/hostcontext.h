#pragma once
// The reference host's context: finds services by interface name from a table of service objects and
// counts references atomically, so counts are safe between threads.

#include "runtime/hostcontext.h"
#include "runtime/iptr.h"
#include "runtime/velobject.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>

class VelHostContext : public IVelHostContext {
public:
    explicit VelHostContext(char character = 'H');
    ~VelHostContext();
    VelHostContext(const VelHostContext&) = delete;
    VelHostContext& operator=(const VelHostContext&) = delete;

    // Offers a service under an interface name. `iface` is the object already converted to that interface,
    // `unknown` its IVelUnknown part; the context holds one reference until the service is withdrawn.
    void addService(const char* name, void* iface, IVelUnknown* unknown);
    template <class T> void offer(T* service) {
        addService(VelInterfaceName<T>::value, service, static_cast<IVelUnknown*>(service));
    }
    void withdraw(const char* name);
    void withdrawAll();

    // How often a name was asked for.
    int lookups(const char* name) const;

    int32_t findService(const PooledName* name, void** out) override;
    char characterValue() override { return m_character; }
    void increment(int32_t* count) override;
    bool decrement(int32_t* count) override;

private:
    struct Entry {
        void* iface;
        IVelUnknown* unknown;
    };
    mutable QMutex m_mutex;
    QHash<QByteArray, Entry> m_services;
    QHash<QByteArray, int> m_lookups;
    char m_character;
};
