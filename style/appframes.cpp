// Application mode: group boxes as the toolkit lays them out (check box, alignment, flat boxes), with a
// frame in the look and the title drawn as the toolkit draws labels; and the tab widget's pane frame. The
// frames stay whole at every device pixel ratio.

#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QRegion>
#include <QStyleOption>

void MelvoroStyle::drawGroupBoxApp(const QStyleOptionGroupBox* option, QPainter* painter,
                                   const QWidget* widget) const {
    const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect checkBox = subControlRect(CC_GroupBox, option, SC_GroupBoxCheckBox, widget);
    const bool hasCheckBox = option->subControls & SC_GroupBoxCheckBox;

    if (option->subControls & SC_GroupBoxFrame) {
        const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
        painter->save();
        QRegion region(option->rect);
        if (!option->text.isEmpty() || hasCheckBox) {
            // The frame gives way to the title and the check box.
            const QRect title = hasCheckBox ? checkBox.united(label) : label;
            region -= QRegion(title.adjusted(-4, 0, 4, 0));
        }
        painter->setClipRegion(region);
        painter->setPen(lookColor("ColorGUIDarker2"));
        painter->setBrush(Qt::NoBrush);
        if (option->features & QStyleOptionFrame::Flat)
            velGridLine(painter, frame.left(), frame.top(), frame.right(), frame.top());
        else
            velGridRect(painter, frame.adjusted(0, 0, -1, -1));
        painter->restore();
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
