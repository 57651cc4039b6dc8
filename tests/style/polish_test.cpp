// Widget polish and the standard palette: group box layouts, hover tracking, the host's dock windows and
// window colours.

#include "host/qextdockwindow.h"
#include "style/melvorostyle.h"
#include "style/support/recordingstyle.h"
#include "style/support/stylehost.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

class Style1Polish : public ::testing::Test {
protected:
    StyleTestHost host;
    RecordingStyle* base = new RecordingStyle;
    MelvoroStyle style{base};
};

// A group box with a layout, margins 11 and spacing 6 to start from.
QVBoxLayout* layOut(QWidget* widget) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    return layout;
}

TEST_F(Style1Polish, GroupBoxOfPlainControlsLosesItsSpacing) {
    QGroupBox box;
    QVBoxLayout* layout = layOut(&box);
    layout->addWidget(new QPushButton(QStringLiteral("One")));
    layout->addWidget(new QLabel(QStringLiteral("Two")));
    style.polish(&box);
    EXPECT_EQ(layout->spacing(), 0);
    EXPECT_EQ(layout->contentsMargins(), QMargins(11, 11, 11, 11));
}

TEST_F(Style1Polish, GroupBoxHoldingABoxTwoLevelsDownGetsAMargin) {
    QGroupBox box;
    QVBoxLayout* layout = layOut(&box);
    auto* middle = new QWidget;
    auto* middleLayout = new QVBoxLayout(middle);
    auto* inner = new QGroupBox(QStringLiteral("Inner"));
    inner->setObjectName(QStringLiteral("anything"));
    middleLayout->addWidget(inner);
    layout->addWidget(middle);

    style.polish(&box);
    EXPECT_EQ(layout->contentsMargins(), QMargins(5, 5, 5, 5));
    EXPECT_EQ(layout->spacing(), 6);
}

TEST_F(Style1Polish, GroupBoxWithoutLayoutAndOtherWidgetsWithLayoutsStayAsTheyAre) {
    QGroupBox bare;
    style.polish(&bare);
    EXPECT_EQ(bare.layout(), nullptr);

    QWidget plain;
    QVBoxLayout* layout = layOut(&plain);
    layout->addWidget(new QGroupBox);
    style.polish(&plain);
    EXPECT_EQ(layout->spacing(), 6);
    EXPECT_EQ(layout->contentsMargins(), QMargins(11, 11, 11, 11));
}

TEST_F(Style1Polish, HoverTrackingForTheHighlightedControlsOnly) {
    QPushButton push;
    QRadioButton radio;
    QSlider slider;
    QCheckBox check;
    QLabel label;
    QWidget* tracked[] = {&push, &radio, &slider, &check};
    for (QWidget* widget : tracked) {
        style.polish(widget);
        EXPECT_TRUE(widget->testAttribute(Qt::WA_Hover)) << widget->metaObject()->className();
    }
    style.polish(&label);
    EXPECT_FALSE(label.testAttribute(Qt::WA_Hover));

    for (QWidget* widget : tracked) {
        style.unpolish(widget);
        EXPECT_FALSE(widget->testAttribute(Qt::WA_Hover)) << widget->metaObject()->className();
    }
    // Unpolish leaves a label's own choice alone.
    label.setAttribute(Qt::WA_Hover, true);
    style.unpolish(&label);
    EXPECT_TRUE(label.testAttribute(Qt::WA_Hover));
}

TEST_F(Style1Polish, UnpolishKeepsLayoutValues) {
    QGroupBox box;
    QVBoxLayout* layout = layOut(&box);
    style.polish(&box);
    style.unpolish(&box);
    EXPECT_EQ(layout->spacing(), 0);
}

TEST_F(Style1Polish, DockedHostDockWindowIsFixedInPlace) {
    QMainWindow window;
    auto* dock = new QextDockWindow(QStringLiteral("Docked"), &window, 7);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    ASSERT_FALSE(dock->isFloating());

    style.polish(dock);
    EXPECT_EQ(dock->features(), QDockWidget::NoDockWidgetFeatures);
    EXPECT_EQ(dock->floatingStateCalls(), 1);
    EXPECT_FALSE(dock->floatingStateApplied());
}

TEST_F(Style1Polish, FloatingHostDockWindowKeepsItsFeatures) {
    QMainWindow window;
    auto* dock = new QextDockWindow(QStringLiteral("Floating"), &window, 8);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setFloating(true);
    ASSERT_TRUE(dock->isFloating());

    style.polish(dock);
    EXPECT_EQ(dock->features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    EXPECT_EQ(dock->floatingStateCalls(), 1);
    EXPECT_TRUE(dock->floatingStateApplied());
}

TEST_F(Style1Polish, PlainDockWidgetIsLeftAlone) {
    QMainWindow window;
    auto* dock = new QDockWidget(QStringLiteral("Plain"), &window);
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    const QDockWidget::DockWidgetFeatures before = dock->features();
    style.polish(dock);
    EXPECT_EQ(dock->features(), before);
}

TEST_F(Style1Polish, WindowsTakeTheLookColourForEveryColourGroup) {
    host.look()->setColor("ColorGUI", QColor(0x12, 0x34, 0x56));
    QWidget window;
    style.polish(&window);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(window.palette().color(group, QPalette::Window), QColor(0x12, 0x34, 0x56)) << group;
    ASSERT_EQ(host.look()->askLogSize(), 1);
    EXPECT_STREQ(VelHostLook::colorName(host.look()->askAt(0).color), "ColorGUI");
    EXPECT_TRUE(host.look()->askAt(0).withWidget);
    EXPECT_EQ(host.look()->askAt(0).widget, &window);
}

TEST_F(Style1Polish, ChildWidgetsAskButKeepTheirPalette) {
    host.look()->setColor("ColorGUI", QColor(0x12, 0x34, 0x56));
    QWidget window;
    auto* child = new QLabel(QStringLiteral("child"), &window);
    style.polish(child);
    EXPECT_FALSE(child->testAttribute(Qt::WA_SetPalette));
    EXPECT_NE(child->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(host.look()->asks("ColorGUI"), 1);
}

TEST_F(Style1Polish, PolishNeverReachesTheBaseStyle) {
    QGroupBox box;
    layOut(&box);
    QPushButton push;
    style.polish(&box);
    style.polish(&push);
    style.unpolish(&push);
    QPalette palette;
    style.polish(palette);
    EXPECT_EQ(base->count(StyleCall::PolishWidget), 0);
    EXPECT_EQ(base->count(StyleCall::UnpolishWidget), 0);
    EXPECT_EQ(base->count(StyleCall::PolishPalette), 0);
}

TEST_F(Style1Polish, NullWidgetIsIgnored) {
    style.polish(static_cast<QWidget*>(nullptr));
    style.unpolish(static_cast<QWidget*>(nullptr));
    EXPECT_EQ(host.look()->totalAsks(), 0);
}

TEST_F(Style1Polish, StandardPaletteTakesTheButtonShade) {
    host.look()->setColor("ColorButtonShade", QColor(0xab, 0xcd, 0xef));
    QPalette palette(QColor(10, 10, 10));
    const QColor text = palette.color(QPalette::WindowText);
    style.polish(palette);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(palette.color(group, QPalette::Window), QColor(0xab, 0xcd, 0xef)) << group;
    EXPECT_EQ(palette.color(QPalette::WindowText), text);
    ASSERT_EQ(host.look()->askLogSize(), 1);
    EXPECT_TRUE(host.look()->askAt(0).withWidget);
    EXPECT_EQ(host.look()->askAt(0).widget, nullptr);
}

TEST_F(Style1Polish, AppliedToAWidgetTheToolkitPolishesThroughTheStyle) {
    QPushButton push;
    push.setStyle(&style);
    push.ensurePolished();
    EXPECT_TRUE(push.testAttribute(Qt::WA_Hover));
    EXPECT_EQ(base->count(StyleCall::PolishWidget), 0);
}

class Style1PolishWithoutLook : public ::testing::Test {
protected:
    StyleTestHost host{StyleTestHost::WithoutLook};
    MelvoroStyle style{new RecordingStyle};
};

TEST_F(Style1PolishWithoutLook, StandardPaletteIsUnchanged) {
    QPalette palette(QColor(10, 20, 30));
    const QPalette before = palette;
    style.polish(palette);
    EXPECT_EQ(palette, before);
}

TEST_F(Style1PolishWithoutLook, WindowsStillGetTheirWindowColourSet) {
    QWidget window;
    style.polish(&window);
    EXPECT_TRUE(window.testAttribute(Qt::WA_SetPalette));
    EXPECT_FALSE(window.palette().color(QPalette::Window).isValid());
}

// ---------------------------------------------------------------------------------------------------
// The host's dock window.

TEST(Style1DockWindow, ReportsVisibilityWithItsId) {
    QMainWindow window;
    auto* dock = new QextDockWindow(QStringLiteral("Tools"), &window, 42);
    window.addDockWidget(Qt::RightDockWidgetArea, dock);
    QVector<QPair<int, bool>> reports;
    QObject::connect(dock, qOverload<int, bool>(&QextDockWindow::visibilityChanged),
                     [&reports](int id, bool visible) { reports.append(qMakePair(id, visible)); });
    window.show();
    dock->hide();
    ASSERT_GE(reports.size(), 2);
    EXPECT_EQ(reports.first(), qMakePair(42, true));
    EXPECT_EQ(reports.last(), qMakePair(42, false));
}

TEST(Style1DockWindow, SlotsAreReachableByName) {
    QextDockWindow dock(QStringLiteral("Tools"));
    EXPECT_EQ(dock.id(), 0);
    EXPECT_TRUE(QMetaObject::invokeMethod(&dock, "setAutoHide", Q_ARG(bool, true)));
    EXPECT_TRUE(dock.autoHide());
    EXPECT_TRUE(
        QMetaObject::invokeMethod(&dock, "handleCursorChanged", Q_ARG(QCursor, QCursor(Qt::SizeAllCursor))));
    EXPECT_EQ(dock.cursor().shape(), Qt::SizeAllCursor);
    EXPECT_TRUE(dock.inherits("QDockWidget"));
    EXPECT_STREQ(dock.metaObject()->className(), "QextDockWindow");
    EXPECT_TRUE(dock.wantsTitle());
}

} // namespace
