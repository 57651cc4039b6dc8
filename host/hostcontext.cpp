// The reference host's context: a table of offered services and atomic reference counting.

#include "host/hostcontext.h"

#include "host/saturatingcount.h"
#include "runtime/modulereferences.h"
#include "runtime/pooledstring.h"

#include <QMutexLocker>

#include <cstring>

namespace {

// The count an object is left with when the host tells it to delete itself.
constexpr int32_t kDeletedCount = -42;

} // namespace

VelHostContext::VelHostContext(char character) : m_character(character) {}

VelHostContext::~VelHostContext() {
    // A runtime linked into the host counts through this context too: its module-wide references go back
    // while the context can still count them, and it counts on its own from here on.
    if (velHostContext() == this) {
        velReleaseModuleReferences();
        velSetHostContext(nullptr);
    }
    withdrawAll();
}

void VelHostContext::retire(const Entry& entry) {
    if (!entry.unknown)
        return;
    // One reference per object is enough to keep it; a further one goes back at once, which cannot be
    // the last while the kept one is held.
    bool kept = false;
    {
        QMutexLocker lock(&m_mutex);
        kept = m_retired.contains(entry.unknown);
        if (!kept)
            m_retired.insert(entry.unknown);
    }
    if (kept)
        entry.unknown->release();
}

void VelHostContext::addService(const char* name, void* iface, IVelUnknown* unknown) {
    if (!name || !*name || !iface || !unknown)
        return;
    // The new reference is taken before an older service of the same name is let go. The older one may
    // just have been handed out by findService to a caller that has not taken its own reference yet, so
    // the context keeps it (retires it) until it is destroyed or withdraws everything.
    unknown->addRef();
    Entry previous{nullptr, nullptr};
    {
        QMutexLocker lock(&m_mutex);
        const QByteArray key(name);
        auto it = m_services.find(key);
        if (it != m_services.end())
            previous = it.value();
        m_services.insert(key, Entry{iface, unknown});
    }
    if (previous.unknown == unknown)
        unknown->release();
    else
        retire(previous);
}

void VelHostContext::withdraw(const char* name) {
    if (!name)
        return;
    Entry entry{nullptr, nullptr};
    {
        QMutexLocker lock(&m_mutex);
        entry = m_services.take(QByteArray(name));
    }
    if (entry.unknown)
        entry.unknown->release();
}

void VelHostContext::withdrawAll() {
    QHash<QByteArray, Entry> services;
    QSet<IVelUnknown*> retired;
    {
        QMutexLocker lock(&m_mutex);
        services.swap(m_services);
        retired.swap(m_retired);
    }
    // Released outside the lock: a release may run a destructor that calls back into this context.
    for (const Entry& entry : qAsConst(services))
        if (entry.unknown)
            entry.unknown->release();
    for (IVelUnknown* unknown : qAsConst(retired))
        unknown->release();
}

int VelHostContext::lookups(const char* name) const {
    if (!name)
        return 0;
    QMutexLocker lock(&m_mutex);
    return m_lookups.value(QByteArray(name), 0);
}

int32_t VelHostContext::findService(const PooledName* name, void** out) {
    if (!out)
        return 0;
    *out = nullptr;
    if (!name || !name->text)
        return 0;
    // The style looks services up while it paints: the key is the caller's text, not a copy of it. Only a
    // name counted for the first time is stored, as a copy.
    const QByteArray key = QByteArray::fromRawData(name->text, int(std::strlen(name->text)));
    QMutexLocker lock(&m_mutex);
    auto counted = m_lookups.find(key);
    if (counted == m_lookups.end())
        m_lookups.insert(QByteArray(name->text), 1);
    else
        velCountUp(counted.value());
    auto it = m_services.constFind(key);
    if (it == m_services.constEnd())
        return 0;
    // The caller takes its own reference if it keeps the pointer.
    *out = it.value().iface;
    return 1;
}

void VelHostContext::increment(int32_t* count) {
    if (count)
        __atomic_add_fetch(count, 1, __ATOMIC_ACQ_REL);
}

bool VelHostContext::decrement(int32_t* count) {
    if (!count)
        return false;
    if (__atomic_sub_fetch(count, 1, __ATOMIC_ACQ_REL) != 0)
        return false;
    // Only the thread that brought the count to zero gets here.
    __atomic_store_n(count, kDeletedCount, __ATOMIC_RELEASE);
    return true;
}
