#pragma once
// The reference host's data store: string values by key path ("Directories/Temp Directory").

#include "host/pooledtext.h"
#include "runtime/services.h"

#include <QString>

class VelHostDataStore : public virtual IDataStore {
public:
    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostDataStore"; }

    // The stored string under keyPath, or an empty string (null text) when there is none or keyPath is null.
    // The reference stays valid while the store lives; setting the key again changes the string it names.
    const PooledString& stringValue(const char* keyPath, const void* second) override;

    // Stores value under keyPath (an empty value stores the empty string). A null keyPath is ignored.
    void setString(const char* keyPath, const QString& value);
    // Forgets the value; a string handed out earlier for keyPath becomes empty.
    void remove(const char* keyPath);
    bool contains(const char* keyPath) const;

private:
    VelPooledTextTable m_values;
};
