// drawControl's entry (colours asked per call, dispatch, option checks), dock window titles, and a sweep of
// every style entry point with odd arguments.

#include "host/qextdockwindow.h"
#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QStyleOption>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using style2::Host;

// ---------------------------------------------------------------- entry and dispatch

TEST(Style2DrawControl, NullOptionPaintsNothingAndAsksNothing) {
    Host host;
    host.look()->resetAsks();
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_PushButton, nullptr, &painter, nullptr);
        host.style().drawControl(QStyle::CE_CheckBox, nullptr, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_TRUE(host.base()->calls().isEmpty());
    EXPECT_EQ(host.look()->totalAsks(), 0);
}

TEST(Style2DrawControl, NullPainterPaintsNothing) {
    Host host;
    QStyleOptionButton button;
    host.style().drawControl(QStyle::CE_PushButton, &button, nullptr, nullptr);
    host.style().drawControl(QStyle::CE_CheckBox, &button, nullptr, nullptr);
    EXPECT_TRUE(host.base()->calls().isEmpty());
}

TEST(Style2DrawControl, UnhandledElementReachesTheBaseAfterTheEightColours) {
    Host host;
    host.look()->resetAsks();
    QWidget widget;
    QStyleOptionButton check;
    check.rect = QRect(0, 0, 50, 20);
    check.text = QStringLiteral("check");
    RecordingPaintDevice device;
    QPainter painter(&device);
    host.style().drawControl(QStyle::CE_CheckBox, &check, &painter, &widget);

    ASSERT_EQ(host.base()->count(StyleCall::DrawControl, QStyle::CE_CheckBox), 1);
    const StyleCall* call = host.base()->last(StyleCall::DrawControl);
    EXPECT_EQ(call->widget, &widget);
    EXPECT_EQ(call->painter, &painter);
    ASSERT_NE(call->optionAs<QStyleOptionButton>(), nullptr);
    EXPECT_EQ(call->optionAs<QStyleOptionButton>()->text, QStringLiteral("check"));

    const char* order[] = {"ColorGUI",         "ColorButtonHover", "ColorButtonSelected", "ColorButtonRaised",
                           "ColorGUILighter1", "ColorGUILighter2", "ColorGUIDarker1",     "ColorGUIDarker2"};
    ASSERT_EQ(host.look()->askLogSize(), 8);
    for (int i = 0; i < 8; ++i) {
        const VelHostLook::Ask ask = host.look()->askAt(i);
        EXPECT_EQ(ask.color, VelHostLook::colorIndex(order[i])) << i;
        EXPECT_EQ(ask.withWidget, i < 4) << i;
        if (i < 4) {
            EXPECT_EQ(ask.widget, &widget) << i;
        }
    }
}

TEST(Style2DrawControl, ColoursAreAskedAnewAtEveryCall) {
    Host host;
    host.look()->resetAsks();
    QStyleOptionToolBar toolBar;
    toolBar.rect = QRect(0, 0, 20, 10);
    RecordingPaintDevice device;
    QPainter painter(&device);
    host.style().drawControl(QStyle::CE_ToolBar, &toolBar, &painter, nullptr);
    host.style().drawControl(QStyle::CE_ToolBar, &toolBar, &painter, nullptr);
    EXPECT_EQ(host.look()->totalAsks(), 16);
    EXPECT_EQ(host.look()->askAt(0).widget, nullptr);
}

TEST(Style2DrawControl, WrongOrOldOptionsOfHandledElementsPaintNothing) {
    Host host;
    const QStyle::ControlElement handled[] = {
        QStyle::CE_PushButton,     QStyle::CE_PushButtonBevel,  QStyle::CE_PushButtonLabel,
        QStyle::CE_TabBarTabShape, QStyle::CE_MenuItem,         QStyle::CE_MenuEmptyArea,
        QStyle::CE_MenuBarItem,    QStyle::CE_MenuBarEmptyArea, QStyle::CE_ToolBar};
    QStyleOptionSlider wrong;
    wrong.rect = QRect(0, 0, 80, 20);
    QStyleOption plain;
    plain.rect = QRect(0, 0, 80, 20);
    QStyleOptionButton oldButton;
    oldButton.version = 0;
    QStyleOptionTab oldTab;
    oldTab.version = 0;
    QStyleOptionMenuItem oldItem;
    oldItem.version = 0;
    QStyleOptionToolBar oldToolBar;
    oldToolBar.version = 0;
    const QStyleOption* options[] = {&wrong, &plain, &oldButton, &oldTab, &oldItem, &oldToolBar};

    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        for (QStyle::ControlElement element : handled)
            for (const QStyleOption* option : options)
                host.style().drawControl(element, option, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.base()->paintingCalls(), 0);
}

// ---------------------------------------------------------------- dock window titles

class Style2DockTitle : public ::testing::Test {
protected:
    int titlesPainted(const QWidget* widget) {
        host.base()->clear();
        QStyleOptionDockWidget option;
        option.rect = QRect(0, 0, 100, 20);
        option.title = QStringLiteral("Tools");
        RecordingPaintDevice device;
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_DockWidgetTitle, &option, &painter, widget);
        return host.base()->count(StyleCall::DrawControl, QStyle::CE_DockWidgetTitle);
    }

    Host host;
};

TEST_F(Style2DockTitle, FloatingHostDockWindowGetsTheBaseTitle) {
    QextDockWindow dock(QStringLiteral("Tools"));
    ASSERT_TRUE(dock.isFloating());
    EXPECT_EQ(titlesPainted(&dock), 1);
}

TEST_F(Style2DockTitle, DockedHostDockWindowGetsNone) {
    QMainWindow window;
    auto* dock = new QextDockWindow(QStringLiteral("Tools"), &window);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    ASSERT_FALSE(dock->isFloating());
    EXPECT_EQ(titlesPainted(dock), 0);
}

TEST_F(Style2DockTitle, PlainDockWidgetAndNullWidgetGetNone) {
    QDockWidget plain(QStringLiteral("Tools"));
    ASSERT_TRUE(plain.isFloating());
    EXPECT_EQ(titlesPainted(&plain), 0);
    EXPECT_EQ(titlesPainted(nullptr), 0);
    QWidget other;
    EXPECT_EQ(titlesPainted(&other), 0);
}

// ---------------------------------------------------------------- every entry point, odd arguments

// Every entry point of the style over the real base style, with every value of its enumeration, with no
// option, a default option and an option of an unrelated type, with and without a widget: nothing may
// crash or read out of bounds.
class Style2Sweep : public ::testing::Test {
protected:
    Style2Sweep() : image(120, 40, QImage::Format_ARGB32), previousHandler(qInstallMessageHandler(quiet)) {
        image.fill(Qt::white);
    }
    ~Style2Sweep() override { qInstallMessageHandler(previousHandler); }

    // The base style warns about every value it does not know; the sweep asks for all of them.
    static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

    template <class Enum> static QVector<Enum> values(int last, unsigned customBase) {
        QVector<Enum> all;
        for (int i = 0; i <= last; ++i)
            all << Enum(i);
        all << Enum(customBase) << Enum(customBase + 1);
        return all;
    }

    void askEverySubElement() {
        const QStyleOption* options[] = {nullptr, &plain, &slider, &button};
        const QWidget* widgets[] = {nullptr, &widget};
        for (const QStyleOption* option : options)
            for (const QWidget* w : widgets)
                for (QStyle::SubElement element :
                     values<QStyle::SubElement>(QStyle::SE_PushButtonBevel, 0xf0000000u))
                    style.subElementRect(element, option, w);
    }

    Host host{false};
    MelvoroStyle style;
    QImage image;
    QtMessageHandler previousHandler;
    QWidget widget;
    QStyleOption plain;
    QStyleOptionSlider slider;
    QStyleOptionButton button;
    QStyleOptionComplex complex;
    QStyleOptionGroupBox groupBox;
    QStyleOptionSpinBox spinBox;
};

TEST_F(Style2Sweep, DrawControl) {
    const QStyleOption* options[] = {nullptr, &plain, &slider};
    QPainter painter(&image);
    for (QStyle::ControlElement element : values<QStyle::ControlElement>(QStyle::CE_ShapedFrame, 0xf0000000u))
        for (const QStyleOption* option : options)
            for (const QWidget* w :
                 {static_cast<const QWidget*>(nullptr), static_cast<const QWidget*>(&widget)})
                style.drawControl(element, option, &painter, w);
    SUCCEED();
}

TEST_F(Style2Sweep, DrawComplexControlAndGeometry) {
    const QStyleOptionComplex* options[] = {nullptr, &complex, &groupBox, &spinBox};
    QPainter painter(&image);
    for (QStyle::ComplexControl control :
         values<QStyle::ComplexControl>(QStyle::CC_MdiControls, 0xf0000000u)) {
        for (const QStyleOptionComplex* option : options) {
            for (const QWidget* w :
                 {static_cast<const QWidget*>(nullptr), static_cast<const QWidget*>(&widget)}) {
                style.drawComplexControl(control, option, &painter, w);
                for (int bit = -1; bit < 32; ++bit) {
                    const auto sub = QStyle::SubControl(bit < 0 ? 0u : (1u << bit));
                    style.subControlRect(control, option, sub, w);
                }
                style.subControlRect(control, option, QStyle::SC_All, w);
            }
        }
    }
    SUCCEED();
}

TEST_F(Style2Sweep, MetricsHintsSizesAndSubElements) {
    const QStyleOption* options[] = {nullptr, &plain, &slider};
    for (const QStyleOption* option : options) {
        for (const QWidget* w :
             {static_cast<const QWidget*>(nullptr), static_cast<const QWidget*>(&widget)}) {
            for (QStyle::PixelMetric metric :
                 values<QStyle::PixelMetric>(QStyle::PM_TitleBarButtonSize, 0xf0000000u))
                style.pixelMetric(metric, option, w);
            for (QStyle::StyleHint hint :
                 values<QStyle::StyleHint>(QStyle::SH_SpinBox_StepModifier, 0xf0000000u)) {
                QStyleHintReturnMask mask;
                style.styleHint(hint, option, w);
                style.styleHint(hint, option, w, &mask);
            }
            for (QStyle::ContentsType type :
                 values<QStyle::ContentsType>(QStyle::CT_ItemViewItem, 0xf0000000u))
                style.sizeFromContents(type, option, QSize(30, 10), w);
        }
    }
    SUCCEED();
}

TEST_F(Style2Sweep, SubElementRectWithWidget) {
    const QStyleOption* options[] = {&plain, &slider, &button};
    for (const QStyleOption* option : options)
        for (QStyle::SubElement element : values<QStyle::SubElement>(QStyle::SE_PushButtonBevel, 0xf0000000u))
            style.subElementRect(element, option, &widget);
    SUCCEED();
}

// Without an option, or with an option of another type and no widget, every sub-element still has an
// answer. Run apart, so that a crash fails only this test.
TEST_F(Style2Sweep, SubElementRectWithoutOptionOrWidget) {
    EXPECT_EXIT(
        {
            askEverySubElement();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
