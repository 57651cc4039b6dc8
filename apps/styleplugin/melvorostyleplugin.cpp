#include "apps/styleplugin/melvorostyleplugin.h"

#include "host/lookservice.h"
#include "host/standardhost.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>
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
        // A theme file named by MELVORO_THEME gives the colours; without one they follow the palette.
        const QString theme = QFile::decodeName(qgetenv("MELVORO_THEME"));
        const bool themed = !theme.isEmpty() && candidate->loadTheme(theme);
        if (!theme.isEmpty() && !themed)
            qWarning("melvoro style: %s", qPrintable(candidate->errorString()));
        if (!themed)
            candidate->look().setFollowsPalette(true);
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

// Top-level windows take their background from the look when the style polishes them. When the
// application's palette changes, the look follows it and the windows are polished again, so that their
// background follows too.
class PaletteWatcher : public QObject {
public:
    explicit PaletteWatcher(QStyle* style) : QObject(style), m_style(style) {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::ApplicationPaletteChange &&
            m_style) {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget* window : windows)
                if (window->style() == m_style)
                    m_style->polish(window);
        }
        return false;
    }

private:
    QPointer<QStyle> m_style;
};

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
        // An installed plug-in keeps the module in a folder of its own beside it, where the toolkit
        // does not look for plug-ins.
        for (const QString& place : {QStringLiteral("melvoro/" MELVORO_MODULE_FILE_NAME),
                                     QStringLiteral(MELVORO_MODULE_FILE_NAME)}) {
            const QString beside = QDir(directory).filePath(place);
            if (QFileInfo(beside).isFile())
                return beside;
        }
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
    if (!style) {
        qWarning("melvoro style: %s", qPrintable(host->errorString()));
        return nullptr;
    }
    // Programs written for any Qt style: the style behaves as such programs expect.
    if (!style->setProperty("applicationMode", true))
        qWarning("melvoro style: the style module has no application mode");
    new PaletteWatcher(style);
    return style;
}
