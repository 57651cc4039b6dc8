// Application mode: the status bar in the tool bar's wash under a dark line, its items parted by one-pixel
// separators; tool tips on "ColorGUILighter2" in the dark frame, their text readable on it; focus frames
// (where the keyboard moved the focus) as one solid line in "ColorButtonSelected" or the dark colour,
// whichever reads on what lies under it;
// the default button's frame in the dark colour; a focused tab's frame inside its face.

#include "style/appcontrast.h"
#include "style/appfaces.h"
#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace {

// A one-pixel line from (x1, y1) to (x2, y2), whole at every device pixel ratio.
void gridLine(QPainter* painter, int x1, int y1, int x2, int y2, const QColor& color) {
    painter->setPen(QPen(QBrush(color), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    velGridLine(painter, x1, y1, x2, y2);
}

} // namespace

void MelvoroStyle::drawStatusBarApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const QRect& r = option->rect;
    if (r.isEmpty())
        return;
    painter->save();
    if (element == PE_PanelStatusBar) {
        // The tool bar's wash, with its dark line on the side that faces the window: the top.
        QLinearGradient gradient(0, r.top(), 0, r.bottom() + 1);
        gradient.setColorAt(0.0, colors.lighter1);
        gradient.setColorAt(0.6, colors.gui);
        gradient.setColorAt(0.85, colors.gui);
        gradient.setColorAt(1.0, colors.lighter1);
        painter->fillRect(r, QBrush(gradient));
        // The line parts the window above from the bar's lighter top.
        gridLine(painter, r.left(), r.top(), r.right(), r.top(),
                 velMarkBetween(colors.gui, colors.lighter1, colors.darker2));
    } else {
        // An item's frame is a separator on its leading side, none where the item starts the bar.
        const Qt::LayoutDirection direction = widget ? widget->layoutDirection() : option->direction;
        const int x = direction == Qt::RightToLeft ? r.right() : r.left();
        const QWidget* bar = widget ? widget->parentWidget() : nullptr;
        const bool atBarEdge = bar && (x <= 1 || x >= bar->width() - 2);
        if (!atBarEdge && r.height() > 4)
            gridLine(painter, x, r.top() + 2, x, r.bottom() - 2,
                     velMarkBetween(colors.gui, colors.lighter1, colors.darker2));
    }
    painter->restore();
}

void MelvoroStyle::drawTipLabelApp(const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    const QColor base = widgetColor("ColorGUILighter2", widget);
    painter->fillRect(option->rect, base);
    velAppFrame(painter, option->rect, widgetColor("ColorGUIDarker2", widget));
}

void MelvoroStyle::drawFocusFrameApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    if (element == PE_FrameDefaultButton) {
        // Around the button, on the window.
        velAppFrame(painter, option->rect, velMarkOn(colors.gui, colors.darker2));
        return;
    }
    // A frame shows where the keyboard has put the focus; after a click it stays hidden. Item views ask
    // for their current item's frame with the keyboard flag set, so it shows there whatever moved it.
    if (!(option->state & State_KeyboardFocusChange))
        return;
    // What the frame is drawn on: the colour the widget names, else a face of the look.
    QColor background = colors.gui;
    if (const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option))
        if (focus->backgroundColor.isValid())
            background = focus->backgroundColor;
    velAppFrame(painter, option->rect, velMarkOn(background, colors.buttonSelected, colors.darker2));
}

void MelvoroStyle::drawTabLabelApp(const QStyleOptionTab* option, QPainter* painter,
                                   const QWidget* widget) const {
    // The base style would draw its own dotted frame around a focused tab, past this style's.
    QStyleOptionTab label(*option);
    label.state &= ~State_HasFocus;
    QProxyStyle::drawControl(CE_TabBarTabLabel, &label, painter, widget);
    if (velShowsFocusFrame(option->state)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        const int inset = 1 + pixelMetric(PM_DefaultFrameWidth, option, widget);
        focus.rect = option->rect.adjusted(inset, inset, -inset, -inset);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void MelvoroStyle::polishTipLabelApp(QWidget* widget) const {
    const QColor base = widgetColor("ColorGUILighter2", widget);
    if (!base.isValid())
        return;
    // The tip's own text colour where it reads on the tip, else the application's window text.
    QPalette palette = widget->palette();
    const QColor text = velReadableOn(base, palette.color(QPalette::Active, QPalette::ToolTipText),
                                      QApplication::palette().color(QPalette::Active, QPalette::WindowText));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::ToolTipBase, base);
        palette.setColor(group, QPalette::ToolTipText, text);
    }
    widget->setPalette(palette);
}
