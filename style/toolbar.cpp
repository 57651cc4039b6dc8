// Tool bars (a vertical gradient over a dark line one row above the bottom) and dock window titles. In
// application mode a tool bar's separators are one dark line across the bar and its handle a row of dots,
// both reading on the bar's wash.

#include "host/qextdockwindow.h"
#include "style/appcontrast.h"
#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QStyleOption>

void MelvoroStyle::drawToolBar(const QStyleOptionToolBar* option, QPainter* painter,
                               const LookColors& colors) const {
    const QRect& r = option->rect;
    const QRect inner(QPoint(r.left(), r.top()), QPoint(r.right(), r.bottom() - 1));

    QLinearGradient gradient(0, 0, 0, inner.height());
    gradient.setColorAt(0.0, colors.lighter1);
    gradient.setColorAt(0.6, colors.gui);
    gradient.setColorAt(0.85, colors.gui);
    gradient.setColorAt(1.0, colors.lighter1);
    painter->fillRect(r, QBrush(gradient));

    // In application mode the line reads on the wash on both sides of it.
    const QColor line =
        applicationMode() ? velMarkBetween(colors.gui, colors.lighter1, colors.darker2) : colors.darker2;
    painter->setPen(QPen(QBrush(line), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    velGridLine(painter, r.left(), r.bottom() - 1, r.right(), r.bottom() - 1);
}

void MelvoroStyle::drawToolBarSeparatorApp(const QStyleOption* option, QPainter* painter,
                                           const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const QRect& r = option->rect;
    // A horizontal tool bar's separator stands upright, in the middle of its space, clear of the bar's
    // edges.
    const bool upright = option->state & State_Horizontal;
    if ((upright ? r.height() : r.width()) <= 4)
        return;
    painter->save();
    painter->setPen(QPen(QBrush(velMarkBetween(colors.gui, colors.lighter1, colors.darker2)), 1.0,
                         Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    if (upright) {
        const int x = r.left() + (r.width() - 1) / 2;
        velGridLine(painter, x, r.top() + 2, x, r.bottom() - 2);
    } else {
        const int y = r.top() + (r.height() - 1) / 2;
        velGridLine(painter, r.left() + 2, y, r.right() - 2, y);
    }
    painter->restore();
}

void MelvoroStyle::drawToolBarHandleApp(const QStyleOption* option, QPainter* painter,
                                        const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    // The handle of a horizontal tool bar stands upright, gripped like a splitter at rest.
    QStyleOption handle(*option);
    handle.state &= ~(State_MouseOver | State_Sunken);
    drawSplitterApp(&handle, painter, colors);
}

void MelvoroStyle::drawDockWidgetTitle(const QStyleOption* option, QPainter* painter,
                                       const QWidget* widget) const {
    // Only a floating host dock window shows a title; docked ones and other dock widgets get none.
    const auto* dock = dynamic_cast<const QextDockWindow*>(widget);
    if (dock && dock->isFloating())
        QProxyStyle::drawControl(CE_DockWidgetTitle, option, painter, widget);
}
