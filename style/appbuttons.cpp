// Application mode: push button bevels and check box indicators in the look. A bevel is a face (raised,
// hovered, pressed or disabled) framed in "ColorGUIDarker2", a default button framed twice; a flat button
// shows a face only under the mouse or pressed. A check box is a field in the palette's base colour
// ("ColorButtonHover" under the mouse, "ColorButtonSelected" pressed, "ColorGUI" disabled) framed like a
// face, holding a check mark, or a square when partly checked, in the palette's text colour.

#include "style/appfaces.h"
#include "style/contrast.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

void MelvoroStyle::drawPushButtonBevelApp(const QStyleOptionButton* option, QPainter* painter,
                                          const LookColors& colors) const {
    const AppFace face = velAppFace(option);
    if ((option->features & QStyleOptionButton::Flat) &&
        (face == AppFace::Normal || face == AppFace::Disabled))
        return;
    velAppFillFace(painter, option->rect, face, colors, Qt::Vertical);
    const QColor frame = velAppFrameColor(face, colors);
    velAppFrame(painter, option->rect, frame);
    if (option->features & QStyleOptionButton::DefaultButton)
        velAppFrame(painter, option->rect.adjusted(1, 1, -1, -1), frame);
}

void MelvoroStyle::drawCheckBoxMarkApp(const QStyleOption* option, QPainter* painter,
                                       const LookColors& colors) const {
    const QRect r = option->rect;
    const AppFace face = velAppFace(option);
    const QPalette& palette = option->palette;
    QColor fill = palette.color(QPalette::Base);
    if (face == AppFace::Hover)
        fill = colors.buttonHover;
    else if (face == AppFace::Pressed)
        fill = colors.buttonSelected;
    else if (face == AppFace::Disabled)
        fill = colors.gui;
    painter->fillRect(r, fill);
    velAppFrame(painter, r, velAppFrameColor(face, colors));

    const QColor mark = velReadableOn(fill, palette.color(QPalette::Text), palette.color(QPalette::Base));
    if (option->state & State_NoChange) {
        painter->fillRect(r.adjusted(3, 3, -3, -3), mark);
    } else if (option->state & State_On) {
        // A tick from the left middle down to the bottom third and up to the top right.
        const QRectF in = QRectF(r).adjusted(2.5, 2.5, -2.5, -2.5);
        QPainterPath tick;
        tick.moveTo(in.left(), in.top() + in.height() * 0.55);
        tick.lineTo(in.left() + in.width() * 0.38, in.bottom() - in.height() * 0.05);
        tick.lineTo(in.right(), in.top() + in.height() * 0.1);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(
            QPen(mark, qMax<qreal>(1.6, r.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
        painter->restore();
    }
}
