// GalleryPanel: the controls it shows, and a style given to the panel reaches all of them.

#include "apps/gallery/pages.h"
#include "host/qextdockwindow.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDial>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <QSet>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>
#include <QToolBox>
#include <QToolButton>
#include <QTreeView>
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

TEST(GalleryPanel, ApplicationPageShowsEveryStandardControlInItsStates) {
    GalleryPanel host;
    EXPECT_EQ(host.findChild<QStatusBar*>(), nullptr) << "host pages stay as they are";
    EXPECT_EQ(host.findChild<QTreeView*>(), nullptr);

    GalleryPanel panel(nullptr, true);
    QTreeView* tree = panel.treeView();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->header()->isSortIndicatorShown());
    EXPECT_TRUE(tree->isExpanded(tree->model()->index(0, 0)));
    EXPECT_FALSE(tree->selectionModel()->selectedRows().isEmpty());
    QSet<int> checks;
    const QModelIndex folder = tree->model()->index(0, 0);
    for (int row = 0; row < tree->model()->rowCount(folder); ++row)
        checks.insert(tree->model()->index(row, 0, folder).data(Qt::CheckStateRole).toInt());
    EXPECT_EQ(checks.size(), 3) << "unchecked, partly and checked items";
    EXPECT_FALSE(panel.tableView()->horizontalHeader()->isHidden());
    EXPECT_FALSE(panel.tableView()->verticalHeader()->isHidden());

    QSet<int> modes, raised;
    int arrows = 0;
    for (QToolButton* button : panel.applicationPage()->findChildren<QToolButton*>()) {
        if (button->menu())
            modes.insert(button->popupMode());
        arrows += button->arrowType() != Qt::NoArrow;
        raised.insert(button->autoRaise());
    }
    EXPECT_EQ(modes.size(), 3) << "every pop-up mode";
    EXPECT_GE(arrows, 4);
    EXPECT_EQ(raised.size(), 2) << "auto-raised and not";

    EXPECT_GE(panel.toolBox()->count(), 3);
    EXPECT_TRUE(panel.dial()->notchesVisible());
    EXPECT_GE(panel.splitter()->count(), 2);
    ASSERT_NE(panel.findChild<QStatusBar*>(), nullptr);
    EXPECT_TRUE(panel.findChild<QStatusBar*>()->isSizeGripEnabled());
    EXPECT_TRUE(panel.dateEdit()->calendarPopup());
    EXPECT_NE(panel.applicationPage()->findChild<QTimeEdit*>(), nullptr);

    QSet<int> orientations, busy;
    for (QProgressBar* bar : panel.applicationPage()->findChildren<QProgressBar*>()) {
        orientations.insert(bar->orientation());
        busy.insert(bar->maximum() == 0);
    }
    EXPECT_EQ(orientations.size(), 2);
    EXPECT_EQ(busy.size(), 2);
    orientations.clear();
    for (QScrollBar* bar : panel.applicationPage()->findChildren<QScrollBar*>())
        if (!qobject_cast<QAbstractScrollArea*>(bar->parentWidget()->parentWidget()))
            orientations.insert(bar->orientation());
    EXPECT_EQ(orientations.size(), 2) << "scroll bars of their own in both orientations";
    for (QWidget* field : {static_cast<QWidget*>(panel.applicationPage()->findChild<QLineEdit*>()),
                           static_cast<QWidget*>(panel.applicationPage()->findChild<QComboBox*>()),
                           static_cast<QWidget*>(panel.applicationPage()->findChild<QSpinBox*>())})
        EXPECT_NE(field, nullptr);
}
