// Application mode: splitter handles, the separators between dock widgets and size grips, gripped by dots
// in the dark colours. A handle lies flat until the mouse is over it ("ColorButtonHover") or it is dragged
// ("ColorButtonSelected"); its dots run along its middle. A size grip's dots form a triangle in the corner it
// resizes from, which a right-to-left window turns to the bottom left.

#include "style/appcontrast.h"
#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

constexpr int kSplitterDots = 5;
constexpr int kGripRows = 3;

// The dark colour, deepened where it would not stand out from the window (in a dark look, say).
QColor dotColor(AppFace face, const LookColors& colors) {
    return face == AppFace::Disabled ? colors.darker1 : velMarkOn(colors.gui, colors.darker2);
}

} // namespace

void MelvoroStyle::drawSplitterApp(const QStyleOption* option, QPainter* painter,
                                   const LookColors& colors) const {
    const QRect& r = option->rect;
    if (r.isEmpty())
        return;
    const AppFace face = velAppFace(option);
    if (face == AppFace::Hover)
        painter->fillRect(r, colors.buttonHover);
    else if (face == AppFace::Pressed)
        painter->fillRect(r, colors.buttonSelected);

    // A horizontal splitter parts its widgets side by side: its handles stand upright.
    const bool upright = option->state & State_Horizontal;
    const int thickness = upright ? r.width() : r.height();
    const int length = upright ? r.height() : r.width();
    const int dot = thickness >= 4 ? 2 : 1;
    const int span = (2 * kSplitterDots - 1) * dot;
    if (span > length)
        return;
    const int across = (thickness - dot) / 2;
    const int along = (length - span) / 2;
    const QColor color = dotColor(face, colors);
    for (int i = 0; i < kSplitterDots; ++i) {
        const int offset = along + 2 * dot * i;
        const QRect cell = upright ? QRect(r.left() + across, r.top() + offset, dot, dot)
                                   : QRect(r.left() + offset, r.top() + across, dot, dot);
        painter->fillRect(cell, color);
    }
}

void MelvoroStyle::drawDockSeparatorApp(const QStyleOption* option, QPainter* painter,
                                        const LookColors& colors) const {
    // A separator's orientation flag names the dock area's, not its own: its shape tells how it stands.
    QStyleOption handle(*option);
    handle.state &= ~State_Horizontal;
    if (option->rect.height() > option->rect.width())
        handle.state |= State_Horizontal;
    drawSplitterApp(&handle, painter, colors);
}

void MelvoroStyle::drawSizeGripApp(const QStyleOption* option, QPainter* painter,
                                   const LookColors& colors) const {
    Qt::Corner corner = option->direction == Qt::RightToLeft ? Qt::BottomLeftCorner : Qt::BottomRightCorner;
    if (const auto* grip = qstyleoption_cast<const QStyleOptionSizeGrip*>(option))
        corner = grip->corner;
    const QRect& r = option->rect;
    const int side = qMin(r.width(), r.height());
    const int dot = 2, step = 4;
    const int rows = qMin(kGripRows, (side - 1) / step);
    const bool right = corner == Qt::BottomRightCorner || corner == Qt::TopRightCorner;
    const bool bottom = corner == Qt::BottomRightCorner || corner == Qt::BottomLeftCorner;
    const QColor color = dotColor(velAppFace(option), colors);
    // Row i from the corner's edge holds rows - i dots, the first of them in the corner.
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < rows - i; ++j) {
            const int dx = 1 + j * step, dy = 1 + i * step;
            const int x = right ? r.right() - dx - (dot - 1) : r.left() + dx;
            const int y = bottom ? r.bottom() - dy - (dot - 1) : r.top() + dy;
            painter->fillRect(QRect(x, y, dot, dot), color);
        }
}
