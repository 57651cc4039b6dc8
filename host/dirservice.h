#pragma once
// The reference host's directory service: named directories; "temp" is the system temporary directory
// unless the host sets another.

#include "host/pooledtext.h"
#include "runtime/services.h"

#include <QString>

class VelHostDirService : public virtual IVelDirService {
public:
    VelHostDirService();

    bool queryInterface(const char* name, void* outOrWalk, int32_t reserved) override;
    const char* className() override { return "VelHostDirService"; }

    // The directory's path; an empty string (null text) for an unknown or null key. The reference stays
    // valid while the service lives.
    const PooledString& directory(const char* key) override;

    // Sets (or, with an empty path, clears) the directory named key; "temp" included.
    void setDirectory(const char* key, const QString& path);

private:
    VelPooledTextTable m_directories;
};
