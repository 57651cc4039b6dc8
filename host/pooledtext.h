#pragma once
// Owned PooledString copies of Qt strings, for host services that hand texts to modules.

#include "runtime/pooledstring.h"

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <map>
#include <memory>

// Makes `out` an owned copy of s; an empty s gives the empty string (null text), never a borrowed one.
inline void velSetFromQString(PooledString& out, const QString& s) {
    if (s.isEmpty())
        out.freeText();
    else
        out.setUtf16(reinterpret_cast<const char16_t*>(s.utf16()), int32_t(s.size()));
}

// Owned texts by 8-bit key, safe between threads. Each text lives in a heap object of its own, so a
// reference handed out stays valid while the table lives; setting the key again changes the string it
// names.
class VelPooledTextTable {
public:
    // The text under key; the empty string (null text) for an unknown or null key.
    const PooledString& value(const char* key) const;
    // Stores an owned copy of text under key (an empty text stores the empty string); a null key is ignored.
    void set(const char* key, const QString& text);
    // Empties the text under key; the entry stays, so that a reference handed out earlier stays valid.
    void clear(const char* key);
    // True when key holds a text that is not empty.
    bool hasText(const char* key) const;

private:
    mutable QMutex m_mutex;
    std::map<QByteArray, std::unique_ptr<PooledString>> m_values;
    const PooledString m_empty{};
};
