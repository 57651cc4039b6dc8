#pragma once
// The plug-in's style, loaded in process the way the toolkit loads it for -style melvoro, applied to the
// application in a light or a dark palette.

#include <QApplication>
#include <QPalette>
#include <QPluginLoader>
#include <QStyle>
#include <QStyleFactory>
#include <QStylePlugin>
#include <gtest/gtest.h>

namespace appmode {

enum class Scheme { Light, Dark };

inline const char* schemeName(const ::testing::TestParamInfo<Scheme>& info) {
    return info.param == Scheme::Light ? "Light" : "Dark";
}

// The light scheme of a stock program, and a dark one as dark desktop schemes give it.
inline QPalette schemePalette(Scheme scheme) {
    if (scheme == Scheme::Light) {
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        return fusion->standardPalette();
    }
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return dark;
}

// The style the plug-in creates for "melvoro" (the application owns it once it is set).
inline QStyle* createPluginStyle() {
    QPluginLoader loader(QStringLiteral(MELVORO_PLUGIN_ROOT "/styles/libmelvorostyleplugin.so"));
    auto* plugin = qobject_cast<QStylePlugin*>(loader.instance());
    return plugin ? plugin->create(QStringLiteral("melvoro")) : nullptr;
}

class PluginStyle : public ::testing::TestWithParam<Scheme> {
protected:
    void SetUp() override {
        QStyle* created = createPluginStyle();
        ASSERT_NE(created, nullptr);
        QApplication::setStyle(created);
        QApplication::setPalette(schemePalette(GetParam()));
        style = created;
    }
    void TearDown() override { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows"))); }

    bool dark() const { return GetParam() == Scheme::Dark; }

    QStyle* style = nullptr;
};

} // namespace appmode
