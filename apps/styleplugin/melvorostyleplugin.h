#pragma once
// The Qt style plug-in "melvoro": hands any Qt application the application style of the style module in
// application mode, with the standard host's built-in images and look colours that follow the
// application's palette (or come from the theme file that MELVORO_THEME names).

#include <QString>
#include <QStyle>
#include <QStylePlugin>

class MelvoroStylePlugin : public QStylePlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QStyleFactoryInterface_iid FILE "melvoro.json")
public:
    explicit MelvoroStylePlugin(QObject* parent = nullptr);

    // A new style for the key "melvoro" (any case), owned by the caller; null for other keys or when the
    // module cannot be loaded (the reason goes to the toolkit's warning output).
    QStyle* create(const QString& key) override;
};

// Where the plug-in looks for the style module: the MELVORO_MODULE environment variable when set, else
// the module file in the folder "melvoro" beside the plug-in (an installed plug-in) or next to it, else the
// module of the build the plug-in came from.
QString melvoroModulePath();
