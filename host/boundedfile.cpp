#include "host/boundedfile.h"

#include <QFile>
#include <QFileInfo>

bool velReadBoundedFile(const QString& path, qint64 maxBytes, QByteArray* out, QString* reason) {
    const auto refuse = [reason](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxBytes);
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("no such file"));
    if (!info.isFile())
        return refuse(QStringLiteral("not a regular file"));
    if (info.size() > maxBytes)
        return refuse(tooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    if (file.isSequential())
        return refuse(QStringLiteral("not a regular file"));
    // The file may have grown since it was measured: one byte past the cap tells.
    QByteArray text = file.read(maxBytes + 1);
    if (text.size() > maxBytes)
        return refuse(tooLarge);
    if (out)
        *out = std::move(text);
    return true;
}
