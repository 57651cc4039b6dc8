// PooledString's conversion to Qt text, built into the runtime only when Qt is there.

#include "runtime/pooledstring.h"

#include <QString>

QString PooledString::toQString() const {
    return QString(reinterpret_cast<const QChar*>(textOrEmpty()), length());
}
