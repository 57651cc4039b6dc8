// The host's table of owned texts.

#include "host/pooledtext.h"

#include <QMutexLocker>

const PooledString& VelPooledTextTable::value(const char* key) const {
    if (!key)
        return m_empty;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(key));
    return it == m_values.end() ? m_empty : *it->second;
}

void VelPooledTextTable::set(const char* key, const QString& text) {
    if (!key)
        return;
    QMutexLocker lock(&m_mutex);
    std::unique_ptr<PooledString>& slot = m_values[QByteArray(key)];
    if (!slot)
        slot = std::make_unique<PooledString>();
    velSetFromQString(*slot, text);
}

void VelPooledTextTable::clear(const char* key) {
    if (!key)
        return;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(key));
    if (it != m_values.end())
        it->second->freeText();
}

bool VelPooledTextTable::hasText(const char* key) const {
    if (!key)
        return false;
    QMutexLocker lock(&m_mutex);
    auto it = m_values.find(QByteArray(key));
    return it != m_values.end() && !it->second->isEmpty();
}
