#pragma once
// The reference host's context: finds services by interface name from a table of service objects and
// counts references atomically, so counts are safe between threads.
//
// A look-up hands a service out without a reference (the caller takes its own once it has the pointer),
// so a service that is replaced may still be on its way to a caller on another thread. The context
// therefore keeps one reference on every service it replaces until it is destroyed or withdraws
// everything, when no look-up may run any more.

#include "runtime/hostcontext.h"
#include "runtime/iptr.h"
#include "runtime/velobject.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSet>

class VelHostContext : public IVelHostContext {
public:
    explicit VelHostContext(char character = 'H');
    ~VelHostContext();
    VelHostContext(const VelHostContext&) = delete;
    VelHostContext& operator=(const VelHostContext&) = delete;

    // Offers a service under an interface name. `iface` is the object already converted to that interface,
    // `unknown` its IVelUnknown part; the context holds one reference until it is destroyed or withdraws
    // everything. A service offered before under that name is no longer found.
    void addService(const char* name, void* iface, IVelUnknown* unknown);
    template <class T> void offer(T* service) {
        addService(VelInterfaceName<T>::value, service, static_cast<IVelUnknown*>(service));
    }
    // The service of that name is no longer found and the context lets go of it at once: the host
    // withdraws a service when no look-up of that name can run any more. (To change a service while
    // modules look it up, offer the new one under the same name.)
    void withdraw(const char* name);
    // Lets go of every service, offered or kept; the caller makes sure no look-up runs meanwhile.
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
    void retire(const Entry& entry);

    mutable QMutex m_mutex;
    QHash<QByteArray, Entry> m_services;
    // Services replaced by others, one reference each.
    QSet<IVelUnknown*> m_retired;
    QHash<QByteArray, int> m_lookups;
    char m_character;
};
