// GalleryPanel: the controls it shows, and a style given to the panel reaches all of them.

#include "apps/gallery/pages.h"
#include "host/qextdockwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <memory>

TEST(GalleryPanel, StyleReachesMenusAndTheFloatingWindow) {
    std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
    GalleryPanel panel;
    panel.applyStyle(windows.get());
    EXPECT_EQ(panel.style(), windows.get());
    for (QWidget* child : panel.findChildren<QWidget*>())
        EXPECT_EQ(child->style(), windows.get()) << child->metaObject()->className();
    EXPECT_EQ(panel.showcaseMenu()->style(), windows.get());
    EXPECT_EQ(panel.floatingWindow()->style(), windows.get());
}

TEST(GalleryPanel, ShowsEachKindOfMenuEntry) {
    GalleryPanel panel;
    QMenu* menu = panel.showcaseMenu();
    bool disabled = false, checked = false, checkedWithIcon = false, shortcut = false, separator = false,
         subMenu = false;
    for (QAction* action : menu->actions()) {
        disabled |= !action->isEnabled();
        checked |= action->isChecked() && action->icon().isNull();
        checkedWithIcon |= action->isChecked() && !action->icon().isNull();
        shortcut |= !action->shortcut().isEmpty();
        separator |= action->isSeparator();
        subMenu |= action->menu() != nullptr;
    }
    EXPECT_TRUE(disabled && checked && checkedWithIcon && shortcut && separator && subMenu);
    EXPECT_NE(menu->defaultAction(), nullptr);
    EXPECT_NE(menu->activeAction(), nullptr);
    EXPECT_GE(panel.menus().size(), 4);
}

TEST(GalleryPanel, ShowsTabsOnEverySideAndASingleTab) {
    GalleryPanel panel;
    EXPECT_EQ(panel.northTabs()->tabPosition(), QTabWidget::North);
    EXPECT_EQ(panel.southTabs()->tabPosition(), QTabWidget::South);
    EXPECT_EQ(panel.westTabs()->tabPosition(), QTabWidget::West);
    EXPECT_EQ(panel.eastTabs()->tabPosition(), QTabWidget::East);
    EXPECT_EQ(panel.singleTab()->count(), 1);
    // The middle tab is selected, so a selected tab has neighbours on both sides.
    EXPECT_EQ(panel.northTabs()->currentIndex(), 1);
}

TEST(GalleryPanel, DockWindowsAreTheHostsDockedAndFloating) {
    GalleryPanel panel;
    EXPECT_FALSE(panel.dockedWindow()->isFloating());
    EXPECT_TRUE(panel.floatingWindow()->isFloating());
    EXPECT_NE(qobject_cast<QextDockWindow*>(panel.dockedWindow()), nullptr);
}
