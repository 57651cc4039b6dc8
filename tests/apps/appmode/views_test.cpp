// Application mode, through the plug-in's style: a tree and a table with headers, check boxes, a
// selection and a hovered row, rendered in a light and a dark palette. Their viewports report the mouse,
// the header labels and the selected and hovered texts stay readable, and the selection of the view
// without the focus stands apart from the focused one's.

#include "../pixels.h"
#include "pluginstyle.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHoverEvent>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

using appmode::PluginStyle;
using pixels::shown;

class AppModeViews : public PluginStyle {};

// The mouse moved onto a point of a widget, as the toolkit tells a widget that asks for hover events.
void hover(QWidget* widget, const QPoint& at) {
#if QT_VERSION_MAJOR >= 6
    QHoverEvent move(QEvent::HoverMove, at, widget->mapToGlobal(at), QPointF(-1, -1));
#else
    QHoverEvent move(QEvent::HoverMove, at, QPointF(-1, -1));
#endif
    QApplication::sendEvent(widget, &move);
}

QRect inWindow(const QAbstractItemView* view, const QRect& inViewport) {
    return QRect(view->viewport()->mapTo(view->window(), inViewport.topLeft()), inViewport.size())
        .adjusted(2, 2, -2, -2);
}

TEST_P(AppModeViews, HeadersSelectionsAndHoveredRowsAreReadable) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Size")});
    tree->setSortingEnabled(true);
    for (int i = 0; i < 3; ++i) {
        auto* entry =
            new QTreeWidgetItem(tree, {QStringLiteral("Folder %1").arg(i), QStringLiteral("10 kB")});
        entry->setCheckState(0, i == 0 ? Qt::Checked : Qt::Unchecked);
        new QTreeWidgetItem(entry, {QStringLiteral("File"), QStringLiteral("1 kB")});
    }
    tree->sortByColumn(0, Qt::AscendingOrder);
    auto* table = new QTableWidget(3, 2);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 2; ++column)
            table->setItem(row, column, new QTableWidgetItem(QStringLiteral("Cell %1").arg(row)));
    layout->addWidget(tree);
    layout->addWidget(table);
    window.resize(560, 260);
    shown(window);
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1));
    table->item(0, 0)->setSelected(true);
    hover(tree->viewport(), tree->visualItemRect(tree->topLevelItem(2)).center());
    hover(table->viewport(), table->visualItemRect(table->item(2, 1)).center());
    QHeaderView* header = tree->header();
    hover(header, QPoint(header->sectionViewportPosition(1) + 8, header->height() / 2));
    const QImage image = shown(window);

    for (QWidget* hovering : {tree->viewport(), table->viewport(), static_cast<QWidget*>(header)})
        EXPECT_TRUE(hovering->testAttribute(Qt::WA_Hover)) << hovering->parent()->metaObject()->className();

    auto section = [&](int logical) {
        return QRect(header->mapTo(&window, QPoint(header->sectionViewportPosition(logical) + 2, 2)),
                     QSize(header->sectionSize(logical) - 4, header->height() - 4));
    };
    const QRect label = section(1);
    EXPECT_NE(pixels::background(image, label), pixels::background(image, section(0)))
        << "the hovered section";
    const QModelIndex selected = tree->model()->index(1, 1);
    const QModelIndex hovered = tree->model()->index(2, 1);
    const struct {
        const char* name;
        QRect area;
    } texts[] = {
        {"header label", label},
        {"selected item", inWindow(tree, tree->visualRect(selected))},
        {"hovered item", inWindow(tree, tree->visualRect(hovered))},
        {"selected item without the focus", inWindow(table, table->visualItemRect(table->item(0, 0)))},
        {"hovered cell", inWindow(table, table->visualItemRect(table->item(2, 1)))}};
    for (const auto& text : texts) {
        EXPECT_GT(pixels::inkCount(image, text.area), 10) << text.name;
        EXPECT_GE(pixels::textContrast(image, text.area), velReadableContrast) << text.name;
    }

    // Selected, hovered and resting rows lie in colours of their own; a view without the focus shows its
    // selection apart from the focused one's.
    const QColor base =
        pixels::background(image, inWindow(tree, tree->visualRect(tree->model()->index(0, 1))));
    const QColor focused = pixels::background(image, texts[1].area);
    const QColor hoverFill = pixels::background(image, texts[2].area);
    const QColor unfocused = pixels::background(image, texts[3].area);
    EXPECT_NE(focused, base);
    EXPECT_NE(hoverFill, base);
    EXPECT_NE(hoverFill, focused);
    EXPECT_NE(unfocused, focused);
    EXPECT_NE(unfocused,
              pixels::background(image, inWindow(table, table->visualItemRect(table->item(1, 1)))));
    EXPECT_NE(focused, tree->palette().color(QPalette::Active, QPalette::Highlight)) << "the look's own";
}

INSTANTIATE_TEST_SUITE_P(Schemes, AppModeViews,
                         ::testing::Values(appmode::Scheme::Light, appmode::Scheme::Dark),
                         appmode::schemeName);

} // namespace
