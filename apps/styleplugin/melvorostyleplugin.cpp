#include "apps/styleplugin/melvorostyleplugin.h"

#include "host/standardhost.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <dlfcn.h>

namespace {

// The plug-in's host lives until the process ends. Qt deletes the styles it created when the
// application object goes, but it may unload plug-ins only after the runtime's own static objects are
// gone, so neither the host nor the module it loaded is ever torn down.
VelStandardHost* pluginHost(QString& error) {
    static VelStandardHost* host = nullptr;
    static QString loadError;
    if (!host && loadError.isEmpty()) {
        auto* candidate = new VelStandardHost;
        if (candidate->loadModule(melvoroModulePath())) {
            host = candidate;
        } else {
            loadError = candidate->errorString();
            delete candidate;
        }
    }
    error = loadError;
    return host;
}

QString pluginDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&melvoroModulePath), &info) == 0 || !info.dli_fname)
        return QString();
    return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
}

} // namespace

QString melvoroModulePath() {
    const QByteArray fromEnvironment = qgetenv("MELVORO_MODULE");
    if (!fromEnvironment.isEmpty())
        return QFile::decodeName(fromEnvironment);
    const QString directory = pluginDirectory();
    if (!directory.isEmpty()) {
        const QString beside = QDir(directory).filePath(QStringLiteral(MELVORO_MODULE_FILE_NAME));
        if (QFileInfo(beside).isFile())
            return beside;
    }
    return QStringLiteral(MELVORO_BUILT_MODULE);
}

MelvoroStylePlugin::MelvoroStylePlugin(QObject* parent) : QStylePlugin(parent) {}

QStyle* MelvoroStylePlugin::create(const QString& key) {
    if (key.compare(QLatin1String("melvoro"), Qt::CaseInsensitive) != 0)
        return nullptr;
    QString error;
    VelStandardHost* host = pluginHost(error);
    if (!host) {
        qWarning("melvoro style: %s", qPrintable(error));
        return nullptr;
    }
    QStyle* style = host->createStyle();
    if (!style)
        qWarning("melvoro style: %s", qPrintable(host->errorString()));
    return style;
}
