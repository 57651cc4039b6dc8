// Push buttons: a bevel that is always raised, a face filled by the button's state, and a label that
// shifts when the button is pressed.

#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>

namespace {

bool isPressed(const QStyleOption* option) {
    return option->state & (QStyle::State_Sunken | QStyle::State_On);
}

} // namespace

void MelvoroStyle::drawPushButton(const QStyleOptionButton* option, QPainter* painter,
                                  const QWidget* widget) const {
    drawControl(CE_PushButtonBevel, option, painter, widget);

    // The label gets the button's whole rectangle, not its contents rectangle: the option as it came.
    drawControl(CE_PushButtonLabel, option, painter, widget);

    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void MelvoroStyle::drawPushButtonBevel(const QStyleOptionButton* option, QPainter* painter,
                                       const QWidget* widget) const {
    // A pressed button shows through its face fill and shifted label; the bevel itself stays raised.
    QStyleOptionButton raised(*option);
    raised.state &= ~(State_Sunken | State_On);
    QProxyStyle::drawControl(CE_PushButtonBevel, &raised, painter, widget);
}

void MelvoroStyle::drawPushButtonLabel(const QStyleOptionButton* option, QPainter* painter,
                                       const QWidget* widget, const LookColors& colors) const {
    const QRect& r = option->rect;
    QRect face(QPoint(r.left() + 1, r.top() + 1), QPoint(r.right() - 1, r.bottom() - 1));
    const bool pressed = isPressed(option);
    const bool enabled = option->state & State_Enabled;
    const bool flat = option->features & QStyleOptionButton::Flat;

    if (pressed)
        painter->fillRect(face, QBrush(colors.buttonSelected));
    else if (flat && enabled)
        painter->fillRect(face, QBrush(colors.buttonRaised));
    else if (flat)
        painter->fillRect(face, QBrush(QColor(190, 190, 190, 255)));

    int textFlags = Qt::AlignVCenter | Qt::TextShowMnemonic;

    int shiftX = 0;
    if (pressed) {
        const int dy = pixelMetric(PM_ButtonShiftVertical, option, widget);
        shiftX = pixelMetric(PM_ButtonShiftHorizontal, option, widget);
        face.translate(shiftX, dy);
    }

    if (!option->icon.isNull()) {
        QIcon::Mode mode = QIcon::Normal;
        if (!enabled)
            mode = QIcon::Disabled;
        else if (option->state & State_HasFocus)
            mode = QIcon::Active;
        const QIcon::State state = (option->state & State_On) ? QIcon::On : QIcon::Off;

        const QPixmap pixmap = option->icon.pixmap(option->iconSize, mode, state);
        const int pw = pixmap.width();
        const int ph = pixmap.height();

        QPoint at;
        if (option->text.isEmpty())
            at = QPoint(face.left() + face.width() / 2 - pw / 2, face.top() + face.height() / 2 - ph / 2);
        else
            at = QPoint(face.left() + 2, face.top() + face.height() / 2 - ph / 2);

        const bool rightToLeft = option->direction == Qt::RightToLeft;
        if (rightToLeft) {
            at.rx() += pw;
            at.rx() -= 2 * shiftX;
        }
        painter->drawPixmap(visualPos(option->direction, r, at), pixmap);

        if (rightToLeft) {
            face.setLeft(face.left() - 4);
            face.setRight(face.right() - (pw + 8));
        } else {
            face.setLeft(face.left() + pw + 4);
        }
        if (!option->text.isEmpty())
            textFlags |= Qt::AlignLeft;
    } else {
        textFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic;
    }

    drawItemText(painter, face, textFlags, option->palette, enabled, option->text, QPalette::ButtonText);
}
