// The reference host's data store.

#include "host/datastore.h"

#include "host/pooledtext.h"

#include <QMutexLocker>

bool VelHostDataStore::queryInterface(const char* name, void* outOrWalk, int32_t) {
    if (velCheckClass(name, outOrWalk, "VelHostDataStore", this, static_cast<IVelUnknown*>(this)))
        return true;
    return velCheckInterface(name, outOrWalk, "IDataStore", static_cast<IDataStore*>(this));
}

const PooledString& VelHostDataStore::stringValue(const char* keyPath, const void*) {
    if (!keyPath)
        return m_empty;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(keyPath));
    return it == m_values.end() ? m_empty : *it->second;
}

void VelHostDataStore::setString(const char* keyPath, const QString& value) {
    if (!keyPath)
        return;
    QMutexLocker lock(&m_mutex);
    std::unique_ptr<PooledString>& slot = m_values[QByteArray(keyPath)];
    if (!slot)
        slot = std::make_unique<PooledString>();
    velSetFromQString(*slot, value);
}

void VelHostDataStore::remove(const char* keyPath) {
    if (!keyPath)
        return;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(keyPath));
    if (it != m_values.end())
        it->second->freeText(); // kept, so that a reference handed out earlier stays valid
}

bool VelHostDataStore::contains(const char* keyPath) const {
    if (!keyPath)
        return false;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(keyPath));
    return it != m_values.end() && !it->second->isEmpty();
}
