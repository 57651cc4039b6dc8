// The reference host's data store.

#include "host/datastore.h"

#include "host/servicequery.h"

bool VelHostDataStore::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IDataStore>(this, "VelHostDataStore", name, outOrWalk);
}

const PooledString& VelHostDataStore::stringValue(const char* keyPath, const void*) {
    return m_values.value(keyPath);
}

void VelHostDataStore::setString(const char* keyPath, const QString& value) {
    m_values.set(keyPath, value);
}

void VelHostDataStore::remove(const char* keyPath) {
    m_values.clear(keyPath); // kept, so that a reference handed out earlier stays valid
}

bool VelHostDataStore::contains(const char* keyPath) const {
    return m_values.hasText(keyPath);
}
