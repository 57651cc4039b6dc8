// The reference host's directory service.

#include "host/dirservice.h"

#include "host/pooledtext.h"

#include <QDir>
#include <QMutexLocker>

VelHostDirService::VelHostDirService() {
    setDirectory("temp", QDir::tempPath());
}

bool VelHostDirService::queryInterface(const char* name, void* outOrWalk, int32_t) {
    if (velCheckClass(name, outOrWalk, "VelHostDirService", this, static_cast<IVelUnknown*>(this)))
        return true;
    return velCheckInterface(name, outOrWalk, "IVelDirService", static_cast<IVelDirService*>(this));
}

const PooledString& VelHostDirService::directory(const char* key) {
    if (!key)
        return m_empty;
    QMutexLocker lock(&m_mutex);
    auto it = m_directories.find(QByteArray(key));
    return it == m_directories.end() ? m_empty : *it->second;
}

void VelHostDirService::setDirectory(const char* key, const QString& path) {
    if (!key)
        return;
    QMutexLocker lock(&m_mutex);
    std::unique_ptr<PooledString>& slot = m_directories[QByteArray(key)];
    if (!slot)
        slot = std::make_unique<PooledString>();
    velSetFromQString(*slot, path);
}
