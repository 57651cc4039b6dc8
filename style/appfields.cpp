// Application mode: line edits, spin boxes and combo boxes. A field lies in the palette's base colour
// framed in "ColorGUIDarker2" ("ColorGUIDarker1" when disabled; a second, inner line in
// "ColorButtonSelected" while it has the focus). Plain frames (QFrame's styled panels, the frames of item
// views and text edits) take the field's frame too. Spin box buttons, the arrow button of an editable combo
// box and the whole of a plain combo box are raised faces, hovered and pressed each on its own.

#include "style/appfaces.h"
#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleOption>

namespace {

// The frame of a field and, with the focus, its inner line.
void drawFieldFrame(QPainter* painter, const QRect& rect, const QStyleOption* option,
                    const LookColors& colors) {
    const bool enabled = option->state & QStyle::State_Enabled;
    velAppFrame(painter, rect, enabled ? colors.darker2 : colors.darker1);
    if (enabled && (option->state & QStyle::State_HasFocus))
        velAppFrame(painter, rect.adjusted(1, 1, -1, -1), colors.buttonSelected);
}

void fillField(QPainter* painter, const QRect& rect, const QStyleOption* option) {
    painter->fillRect(rect, option->palette.brush(option->state & QStyle::State_Enabled ? QPalette::Active
                                                                                        : QPalette::Disabled,
                                                  QPalette::Base));
}

QColor arrowColor(const QStyleOption* option, bool enabled) {
    return option->palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
}

} // namespace

void MelvoroStyle::drawLineEditApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == PE_Frame) {
        // The viewport of a scroll area lies inside the frame's width: where it shows the base colour
        // (item views, text edits), the ring between the line and the viewport is the field's too.
        const auto* area = qobject_cast<const QAbstractScrollArea*>(widget);
        if (area && area->viewport() && area->viewport()->backgroundRole() == QPalette::Base)
            velAppFrame(
                painter, option->rect.adjusted(1, 1, -1, -1),
                option->palette.color(option->state & State_Enabled ? QPalette::Active : QPalette::Disabled,
                                      QPalette::Base));
    } else if (element == PE_PanelLineEdit) {
        fillField(painter, option->rect, option);
        if (!frame || frame->lineWidth <= 0)
            return;
    }
    drawFieldFrame(painter, option->rect, option, colors);
}

void MelvoroStyle::drawSpinBoxApp(const QStyleOptionSpinBox* option, QPainter* painter,
                                  const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    painter->save();
    if (option->frame && (option->subControls & SC_SpinBoxFrame)) {
        fillField(painter, option->rect, option);
        drawFieldFrame(painter, option->rect, option, colors);
    }
    const bool enabled = option->state & State_Enabled;
    const struct {
        SubControl sub;
        QAbstractSpinBox::StepEnabledFlag step;
        Qt::ArrowType arrow;
    } buttons[] = {{SC_SpinBoxUp, QAbstractSpinBox::StepUpEnabled, Qt::UpArrow},
                   {SC_SpinBoxDown, QAbstractSpinBox::StepDownEnabled, Qt::DownArrow}};
    for (const auto& button : buttons) {
        const QRect r = subControlRect(CC_SpinBox, option, button.sub, widget);
        if (!(option->subControls & button.sub) || r.isEmpty())
            continue;
        const bool steps = enabled && (option->stepEnabled & button.step);
        QStyleOptionSpinBox state(*option);
        if (!steps)
            state.state &= ~State_Enabled;
        const AppFace face = velAppFace(&state, button.sub);
        velAppFillFace(painter, r, face, colors, Qt::Vertical);
        velAppFrame(painter, r, velAppFrameColor(face, colors));
        if (option->buttonSymbols == QAbstractSpinBox::NoButtons)
            continue;
        if (option->buttonSymbols == QAbstractSpinBox::PlusMinus) {
            // A minus, and a plus for the up button.
            const QPoint c = r.center();
            const int half = qMax(2, qMin(r.width(), r.height()) / 4);
            painter->setPen(arrowColor(option, steps));
            velGridLine(painter, c.x() - half, c.y(), c.x() + half, c.y());
            if (button.sub == SC_SpinBoxUp)
                velGridLine(painter, c.x(), c.y() - half, c.x(), c.y() + half);
        } else {
            velAppArrow(painter, r, button.arrow, arrowColor(option, steps));
        }
    }
    painter->restore();
}

void MelvoroStyle::drawComboBoxApp(const QStyleOptionComboBox* option, QPainter* painter,
                                   const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const bool enabled = option->state & State_Enabled;
    const QRect arrow = subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget);
    painter->save();
    if (option->editable) {
        if (option->frame)
            fillField(painter, option->rect, option);
        if (option->subControls & SC_ComboBoxArrow) {
            const AppFace face = velAppFace(option, SC_ComboBoxArrow);
            velAppFillFace(painter, arrow, face, colors, Qt::Vertical);
            velAppFrame(painter, arrow, velAppFrameColor(face, colors));
        }
        if (option->frame)
            drawFieldFrame(painter, option->rect, option, colors);
    } else {
        // The whole box is one button; its arrow part is set off by a line.
        const AppFace face = velAppFace(option);
        velAppFillFace(painter, option->rect, face, colors, Qt::Vertical);
        velAppFrame(painter, option->rect, velAppFrameColor(face, colors));
        painter->setPen(colors.darker1);
        const int x = option->direction == Qt::RightToLeft ? arrow.right() + 1 : arrow.left() - 1;
        velGridLine(painter, x, option->rect.top() + 3, x, option->rect.bottom() - 3);
        if ((option->state & State_HasFocus) && !option->editable) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(*option);
            // The focus is a line just inside the box's outline, clear of the label's text.
            focus.rect = option->rect.adjusted(1, 1, -1, -1);
            focus.backgroundColor = colors.gui;
            drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
        }
    }
    if (option->subControls & SC_ComboBoxArrow)
        velAppArrow(painter, arrow, Qt::DownArrow, arrowColor(option, enabled));
    painter->restore();
}

void MelvoroStyle::drawComboBoxLabelApp(const QStyleOptionComboBox* option, QPainter* painter,
                                        const QWidget* widget) const {
    // The base style writes a focused box's label in the highlighted text colour, for the highlight it
    // lays under the label; the look lays none there. The label of a plain box lies on its face: its text
    // colour is made readable on the face in the box's state.
    QStyleOptionComboBox label(*option);
    QColor text = label.palette.color(QPalette::Text);
    if (!option->editable && (option->state & State_Enabled)) {
        LookColors colors;
        askLookColors(widget, colors);
        text = velAppTextOnFace(velAppFace(option), colors, text);
    }
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
            label.palette.setColor(group, role,
                                   option->editable ? label.palette.color(group, QPalette::Text) : text);
    label.palette.setColor(QPalette::Disabled, QPalette::HighlightedText,
                           label.palette.color(QPalette::Disabled, QPalette::Text));
    painter->save();
    if (option->state & State_Enabled)
        painter->setPen(option->editable ? label.palette.color(QPalette::Text) : text);
    QProxyStyle::drawControl(CE_ComboBoxLabel, &label, painter, widget);
    painter->restore();
}
