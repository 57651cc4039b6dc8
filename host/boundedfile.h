#pragma once
// velReadBoundedFile: reads a whole regular file of at most maxBytes bytes. Anything else (a missing file,
// a directory, a device or a pipe, which could deliver endless bytes or block for ever, or a larger file)
// is refused with the reason in plain words.

#include <QByteArray>
#include <QString>

bool velReadBoundedFile(const QString& path, qint64 maxBytes, QByteArray* out, QString* reason);
