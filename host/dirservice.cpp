// The reference host's directory service.

#include "host/dirservice.h"

#include "host/servicequery.h"

#include <QDir>

VelHostDirService::VelHostDirService() {
    setDirectory("temp", QDir::tempPath());
}

bool VelHostDirService::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velQueryService<IVelDirService>(this, "VelHostDirService", name, outOrWalk);
}

const PooledString& VelHostDirService::directory(const char* key) {
    return m_directories.value(key);
}

void VelHostDirService::setDirectory(const char* key, const QString& path) {
    m_directories.set(key, path);
}
