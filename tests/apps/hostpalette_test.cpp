// The reference host in host mode: its palette keeps every text readable on its look (WCAG contrast of at
// least 4.5:1 in the rendered pixels), with the built-in light theme and with a dark theme.

#include "host/lookservice.h"
#include "host/standardhost.h"
#include "pixels.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyleFactory>

namespace {

enum class Theme { BuiltIn, Dark };

class HostPalette : public ::testing::TestWithParam<Theme> {
protected:
    void SetUp() override {
        if (GetParam() == Theme::Dark) {
            // The dark look the colours take under a dark palette, given to the host as its theme.
            QPalette dark(QColor(0x30, 0x30, 0x30));
            QColor colors[VelHostLook::ColorCount];
            VelHostLook::colorsForPalette(dark, colors);
            for (int i = 0; i < VelHostLook::ColorCount; ++i)
                host.look().setColor(VelHostLook::colorName(i), colors[i]);
        }
        ASSERT_TRUE(host.loadModule(QStringLiteral(MELVORO_MODULE_PATH))) << qPrintable(host.errorString());
        QStyle* style = host.createStyle();
        ASSERT_NE(style, nullptr);
        QApplication::setStyle(style);
        QApplication::setPalette(host.look().hostPalette());
    }
    void TearDown() override {
        QApplication::setPalette(QPalette());
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    VelStandardHost host;
};

TEST_P(HostPalette, TextsAreReadableOnTheLook) {
    QWidget window;
    window.resize(300, 60);
    auto* label = new QLabel(QStringLiteral("Window text"), &window);
    label->setGeometry(10, 10, 120, 24);
    auto* pressed = new QPushButton(QStringLiteral("Pressed"), &window);
    pressed->setGeometry(150, 10, 120, 32);
    pressed->setDown(true);
    const QImage image = pixels::shown(window);
    EXPECT_GE(pixels::textContrast(image, label->geometry()), velReadableContrast) << "window text";
    EXPECT_GE(pixels::textContrast(image, pressed->geometry().adjusted(5, 5, -5, -5)), velReadableContrast)
        << "pressed button";

    QMenu menu;
    QAction* open = menu.addAction(QStringLiteral("Open file"));
    QAction* save = menu.addAction(QStringLiteral("Save file"));
    menu.popup(QPoint(0, 0));
    menu.setActiveAction(open);
    const QImage menuImage = pixels::shown(menu);
    for (QAction* action : {open, save})
        EXPECT_GE(pixels::textContrast(menuImage, menu.actionGeometry(action).adjusted(3, 3, -3, -3)),
                  velReadableContrast)
            << qPrintable(action->text());
}

INSTANTIATE_TEST_SUITE_P(Themes, HostPalette, ::testing::Values(Theme::BuiltIn, Theme::Dark),
                         [](const ::testing::TestParamInfo<Theme>& info) {
                             return info.param == Theme::BuiltIn ? "BuiltIn" : "Dark";
                         });

} // namespace
