#pragma once
// Owned PooledString copies of Qt strings, for host services that hand texts to modules.

#include "runtime/pooledstring.h"

#include <QString>

// Makes `out` an owned copy of s; an empty s gives the empty string (null text), never a borrowed one.
inline void velSetFromQString(PooledString& out, const QString& s) {
    if (s.isEmpty())
        out.freeText();
    else
        out.setUtf16(reinterpret_cast<const char16_t*>(s.utf16()), int32_t(s.size()));
}
