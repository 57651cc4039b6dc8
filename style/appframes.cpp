// Application mode: group boxes as the toolkit lays them out (check box, alignment, flat boxes), with a
// frame in the look and the title drawn as the toolkit draws labels; and the tab widget's pane frame. The
// frames stay whole at every device pixel ratio.

#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

// Fills a one-pixel edge (a row or a column) of the frame, less the part the gap covers.
void fillEdge(QPainter* painter, const QRect& edge, const QRect& gap, const QColor& color) {
    if (edge.isEmpty())
        return;
    if (!edge.intersects(gap)) {
        painter->fillRect(edge, color);
        return;
    }
    QRect before = edge, after = edge;
    if (edge.height() == 1) {
        before.setRight(gap.left() - 1);
        after.setLeft(gap.right() + 1);
    } else {
        before.setBottom(gap.top() - 1);
        after.setTop(gap.bottom() + 1);
    }
    if (!before.isEmpty())
        painter->fillRect(before, color);
    if (!after.isEmpty())
        painter->fillRect(after, color);
}

} // namespace

void MelvoroStyle::drawGroupBoxApp(const QStyleOptionGroupBox* option, QPainter* painter,
                                   const QWidget* widget) const {
    const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect checkBox = subControlRect(CC_GroupBox, option, SC_GroupBoxCheckBox, widget);
    const bool hasCheckBox = option->subControls & SC_GroupBoxCheckBox;

    if (option->subControls & SC_GroupBoxFrame) {
        // One-pixel edges on the frame's outermost pixels, inside the option's rectangle; they give way
        // to the title and the check box. Filled as whole pixels, without a clip, so they stay whole at
        // every device pixel ratio.
        const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
        QRect gap;
        if (!option->text.isEmpty() || hasCheckBox)
            gap = (hasCheckBox ? checkBox.united(label) : label).adjusted(-4, 0, 4, 0);
        const QColor color = lookColor("ColorGUIDarker2");
        const QRect& r = option->rect;
        fillEdge(painter, QRect(frame.left(), frame.top(), frame.width(), 1) & r, gap, color);
        if (!(option->features & QStyleOptionFrame::Flat) && frame.height() > 1) {
            const QRect side(0, frame.top() + 1, 1, frame.height() - 2);
            fillEdge(painter, QRect(frame.left(), frame.bottom(), frame.width(), 1) & r, gap, color);
            fillEdge(painter, side.translated(frame.left(), 0) & r, gap, color);
            fillEdge(painter, side.translated(frame.right(), 0) & r, gap, color);
        }
    }

    if ((option->subControls & SC_GroupBoxLabel) && !option->text.isEmpty()) {
        int alignment = Qt::TextShowMnemonic | Qt::AlignHCenter | int(option->textAlignment);
        if (!styleHint(SH_UnderlineShortcut, option, widget))
            alignment |= Qt::TextHideMnemonic;
        // The window text of the box's state: the disabled colour when the box is disabled.
        drawItemText(painter, label, alignment, option->palette, option->state & State_Enabled, option->text,
                     QPalette::WindowText);
        if (option->state & State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            focus.rect = label;
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }

    if (hasCheckBox) {
        // The box's state (on, off, pressed, hovered) travels in its own option.
        QStyleOptionButton box;
        box.QStyleOption::operator=(*option);
        box.rect = checkBox;
        drawPrimitive(PE_IndicatorCheckBox, &box, painter, widget);
    }
}

void MelvoroStyle::drawTabWidgetFrameApp(const QStyleOption* option, QPainter* painter) const {
    painter->save();
    painter->setPen(lookColor("ColorGUIDarker2"));
    painter->setBrush(Qt::NoBrush);
    velGridRect(painter, option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
