// Tab shapes: the outline of one tab in each of the four rounded orientations, with a gradient body for
// tabs above their pane. The label is painted elsewhere.

#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>

namespace {

// What a tab's outline depends on, worked out once before its shape is painted.
struct TabEdges {
    int x1, y1, x2, y2;
    bool selected;
    bool firstTab;
    bool lastTab;
    int bt;   // how far the edges stop short of the base side
    int offL; // the first edge's distance from the base side
    int offR; // the last edge's distance from the base side
    bool drawFirstEdge;
    bool drawLastEdge;
    int pb; // the start of the side opposite the base: 0 beside a selected previous tab
    int pe; // the end of that side: 0 beside a selected next tab
    QColor light, midlight, dark, shadow, background;
};

TabEdges tabEdges(const QStyleOptionTab* tab, int overlap, int alignment) {
    TabEdges e;
    const QRect& r = tab->rect;
    e.x1 = r.left();
    e.y1 = r.top();
    e.x2 = r.right();
    e.y2 = r.bottom();

    // A right-to-left bar is mirrored only when its tabs run horizontally.
    const bool rtl = tab->direction == Qt::RightToLeft &&
                     (tab->shape == QTabBar::RoundedNorth || tab->shape == QTabBar::RoundedSouth);
    e.selected = tab->state & QStyle::State_Selected;
    e.firstTab = tab->position == (rtl ? QStyleOptionTab::End : QStyleOptionTab::Beginning);
    e.lastTab = tab->position == (rtl ? QStyleOptionTab::Beginning : QStyleOptionTab::End);
    const bool onlyOne = tab->position == QStyleOptionTab::OnlyOneTab;
    const bool previousSelected = tab->selectedPosition == (rtl ? QStyleOptionTab::NextIsSelected
                                                                : QStyleOptionTab::PreviousIsSelected);
    const bool nextSelected = tab->selectedPosition ==
                              (rtl ? QStyleOptionTab::PreviousIsSelected : QStyleOptionTab::NextIsSelected);
    const bool leftAligned = alignment == (rtl ? Qt::AlignRight : Qt::AlignLeft);
    const bool rightAligned = alignment == (rtl ? Qt::AlignLeft : Qt::AlignRight);

    e.light = tab->palette.light().color();
    e.midlight = tab->palette.midlight().color();
    e.dark = tab->palette.dark().color();
    e.shadow = tab->palette.shadow().color();
    e.background = tab->palette.window().color();

    e.bt = e.selected ? overlap / 2 : overlap;
    e.offL = ((onlyOne || e.firstTab) && e.selected && leftAligned) ? 0 : e.bt;
    e.offR = ((onlyOne || e.lastTab) && e.selected && rightAligned) ? 0 : e.bt;
    e.drawFirstEdge = e.firstTab || e.selected || onlyOne || !previousSelected;
    e.drawLastEdge = e.lastTab || e.selected || onlyOne || !nextSelected;
    e.pb = previousSelected ? 0 : 2;
    e.pe = nextSelected ? 0 : 2;
    return e;
}

void line(QPainter* p, const QColor& color, int a, int b, int c, int d) {
    p->setPen(color);
    velGridLine(p, a, b, c, d);
}

// Tabs above the pane: the base side is the bottom.
// selectedEnd: the colour a selected tab's body ends in at its base.
void drawNorthTabShape(QPainter* p, const QRect& r, const TabEdges& e, const LookColors& colors,
                       const QColor& selectedEnd) {
    p->save();
    QLinearGradient gradient(0, 0, 0, r.height());
    if (e.selected) {
        gradient.setColorAt(0.0, colors.gui);
        gradient.setColorAt(0.45, colors.lighter1);
        gradient.setColorAt(1.0, selectedEnd);
    } else {
        gradient.setColorAt(0.0, colors.lighter1);
        gradient.setColorAt(0.55, colors.darker1);
        gradient.setColorAt(0.56, colors.darker2);
        gradient.setColorAt(1.0, colors.gui);
    }
    p->fillRect(r, QBrush(gradient));
    p->restore();

    if (e.drawFirstEdge) {
        line(p, e.light, e.x1, e.y1 + 2, e.x1, e.y2 - e.offL);
        velGridPoint(p, e.x1 + 1, e.y1 + 1);
        line(p, e.midlight, e.x1 + 1, e.y1 + 2, e.x1 + 1, e.y2 - e.offL);
    }
    line(p, colors.darker1, e.x1 + e.pb, e.y1, e.x2 - e.pe, e.y1);
    if (e.drawLastEdge) {
        line(p, e.shadow, e.x2, e.y1 + 2, e.x2, e.y2 - e.offR);
        velGridPoint(p, e.x2 - 1, e.y1 + 1);
        line(p, e.dark, e.x2 - 1, e.y1 + 2, e.x2 - 1, e.y2 - e.offR);
    }
}

// Tabs below the pane: the base side is the top.
void drawSouthTabShape(QPainter* p, const TabEdges& e) {
    int x1 = e.x1, x2 = e.x2, y2 = e.y2;
    if (e.selected) {
        line(p, e.background, e.x1, e.y1 + 1, e.x2, e.y1 + 1);
        velGridLine(p, e.x1, e.y1, e.x2, e.y1);
    } else {
        y2 -= 2;
        x1 += e.firstTab ? e.bt : 0;
        x2 -= e.lastTab ? e.bt : 0;
    }
    if (e.drawFirstEdge) {
        line(p, e.light, x1, y2 - 2, x1, e.y1 + e.offL);
        velGridPoint(p, x1 + 1, y2 - 1);
        line(p, e.midlight, x1 + 1, y2 - 2, x1 + 1, e.y1 + e.offL);
    }
    const int b = x1 + e.pb, end = x2 - e.pe;
    line(p, e.shadow, b, y2, end, y2);
    line(p, e.dark, b, y2 - 1, end, y2 - 1);
    if (e.drawLastEdge) {
        line(p, e.shadow, x2, y2 - 2, x2, e.y1 + e.offR);
        velGridPoint(p, x2 - 1, y2 - 1);
        line(p, e.dark, x2 - 1, y2 - 2, x2 - 1, e.y1 + e.offR);
    }
}

// Tabs left of the pane: the base side is the right.
void drawWestTabShape(QPainter* p, const TabEdges& e) {
    int x1 = e.x1, y1 = e.y1, y2 = e.y2;
    if (e.selected) {
        line(p, e.background, e.x2 - 1, e.y1, e.x2 - 1, e.y2);
        velGridLine(p, e.x2, e.y1, e.x2, e.y2);
    } else {
        x1 += 2;
        y1 += e.firstTab ? e.bt : 0;
        y2 -= e.lastTab ? e.bt : 0;
    }
    if (e.drawFirstEdge) {
        line(p, e.light, x1 + 2, y1, e.x2 - e.offL, y1);
        velGridPoint(p, x1 + 1, y1 + 1);
        line(p, e.midlight, x1 + 2, y1 + 1, e.x2 - e.offL, y1 + 1);
    }
    const int b = y1 + e.pb, end = y2 - e.pe;
    line(p, e.light, x1, b, x1, end);
    line(p, e.midlight, x1 + 1, b, x1 + 1, end);
    if (e.drawLastEdge) {
        line(p, e.shadow, x1 + 3, y2, e.x2 - e.offR, y2);
        velGridPoint(p, x1 + 2, y2 - 1);
        line(p, e.dark, x1 + 3, y2 - 1, e.x2 - e.offR, y2 - 1);
        velGridPoint(p, x1 + 1, y2 - 1);
        velGridPoint(p, x1 + 2, y2);
    }
}

// Tabs right of the pane: the base side is the left.
void drawEastTabShape(QPainter* p, const TabEdges& e) {
    int x2 = e.x2, y1 = e.y1, y2 = e.y2;
    if (e.selected) {
        line(p, e.background, e.x1 + 1, e.y1, e.x1 + 1, e.y2);
        velGridLine(p, e.x1, e.y1, e.x1, e.y2);
    } else {
        x2 -= 2;
        y1 += e.firstTab ? e.bt : 0;
        y2 -= e.lastTab ? e.bt : 0;
    }
    if (e.drawFirstEdge) {
        line(p, e.light, x2 - 2, y1, e.x1 + e.offL, y1);
        velGridPoint(p, x2 - 1, y1 + 1);
        line(p, e.midlight, x2 - 3, y1 + 1, e.x1 + e.offL, y1 + 1);
        velGridPoint(p, x2 - 1, y1);
    }
    const int b = y1 + e.pb, end = y2 - e.pe;
    line(p, e.shadow, x2, b, x2, end);
    line(p, e.dark, x2 - 1, b, x2 - 1, end);
    if (e.drawLastEdge) {
        line(p, e.shadow, x2 - 2, y2, e.x1 + e.offR, y2);
        velGridPoint(p, x2 - 1, y2 - 1);
        line(p, e.dark, x2 - 2, y2 - 1, e.x1 + e.offR, y2 - 1);
    }
}

// A tab bar whose tab widget holds a single tab shows no tab at all. A tab bar without a widget, or one
// that is not inside a tab widget, is never taken for one.
bool isSingleTabOfTabWidget(const QWidget* widget) {
    if (!widget)
        return false;
    const auto* tabWidget = dynamic_cast<const QTabWidget*>(widget->parentWidget());
    return tabWidget && tabWidget->count() == 1;
}

} // namespace

void MelvoroStyle::drawTabShape(const QStyleOptionTab* option, QPainter* painter, const QWidget* widget,
                                const LookColors& colors) const {
    if (isSingleTabOfTabWidget(widget))
        return;

    QCommonStyle::drawControl(CE_TabBarTabShape, option, painter, widget);

    const int alignment = QProxyStyle::styleHint(SH_TabBar_Alignment, option, widget);
    const int overlap = pixelMetric(PM_TabBarBaseOverlap, option, widget);
    const TabEdges edges = tabEdges(option, overlap, alignment);

    switch (option->shape) {
    case QTabBar::RoundedNorth:
        // In application mode the body ends in a look colour, which follows the palette.
        drawNorthTabShape(painter, option->rect, edges, colors,
                          applicationMode() ? colors.lighter2 : QColor(253, 254, 255, 255));
        break;
    case QTabBar::RoundedSouth:
        drawSouthTabShape(painter, edges);
        break;
    case QTabBar::RoundedWest:
        drawWestTabShape(painter, edges);
        break;
    case QTabBar::RoundedEast:
        drawEastTabShape(painter, edges);
        break;
    default:
        break;
    }
}
