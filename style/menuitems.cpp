// Pop-up menu entries (background, separator, icon or check mark, text with its shortcut column, sub-menu
// arrow) and menu bar entries.

#include "style/contrast.h"
#include "style/devicegrid.h"
#include "style/melvorostyle.h"
#include "style/optioncheck.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>

namespace {

constexpr int minimumCheckColumn = 20;

// Whether a visual theme is active, asked once per paint of a pop-up menu: a menu paints its entries and
// then, last in every paint, its empty area. The first entry of a paint that asks reads the registry, the
// entries after it take that answer, and the empty area takes it and forgets it, so that the next paint
// reads it anew and shows any change. Entries painted for anything but a menu read it every time.
bool themeActiveInThisPaint(const QWidget* widget, const QPainter* painter, bool lastOfPaint) {
    struct Answer {
        const QWidget* menu = nullptr;
        const QPainter* painter = nullptr;
        bool active = false;
    };
    static Answer answer;
    if (!qobject_cast<const QMenu*>(widget))
        return isThemeActive();
    const bool active = answer.menu == widget && answer.painter == painter ? answer.active : isThemeActive();
    answer = lastOfPaint ? Answer{} : Answer{widget, painter, active};
    return active;
}

} // namespace

void MelvoroStyle::drawMenuItem(ControlElement element, const QStyleOptionMenuItem* option, QPainter* painter,
                                const QWidget* widget, const LookColors& colors) const {
    const QRect& r = option->rect;
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const bool disabled = !(option->state & State_Enabled);
    const bool selected = option->state & State_Selected;
    const bool checked = option->menuHasCheckableItems && option->checked;
    const int checkcol = qMax(option->maxIconWidth, minimumCheckColumn);
    const int xm = checkcol + 5;
    // In application mode a right-to-left entry is laid out mirrored: every place of a left-to-right entry
    // reflected in R.
    const bool mirrored = applicationMode() && option->direction == Qt::RightToLeft;
    auto laidOut = [&](const QRect& logical) {
        return mirrored ? visualRect(Qt::RightToLeft, r, logical) : logical;
    };
    const QRect logicalText(x + xm, y, w - xm - velShortcutWidth(*option) - 11, h);
    const QRect textRect = laidOut(logicalText);
    const QPalette& pal = option->palette;
    QColor textColor =
        disabled ? pal.text().color() : (selected ? pal.highlightedText().color() : pal.buttonText().color());
    // In application mode a selected entry's text stays readable on the hover colour.
    if (applicationMode() && selected && !disabled)
        textColor = velReadableOn(colors.buttonHover, textColor, pal.buttonText().color());

    if (selected) {
        painter->fillRect(r, QBrush(colors.buttonHover));
        painter->setPen(QColor(0, 0, 0, 255));
        velGridRect(painter, QRect(QPoint(r.left(), r.top()), QPoint(r.right() - 1, r.bottom() - 1)));
    } else if (themeActiveInThisPaint(widget, painter, element == CE_MenuEmptyArea)) {
        painter->fillRect(r, QBrush(colors.gui));
    }

    if (element == CE_MenuEmptyArea)
        return;

    if (option->menuItemType == QStyleOptionMenuItem::Separator) {
        const int yoff = y + h / 2 - 1;
        painter->setPen(pal.dark().color());
        velGridLine(painter, x, yoff, x + w, yoff);
        painter->setPen(pal.light().color());
        velGridLine(painter, x, yoff + 1, x + w, yoff + 1);
        return;
    }

    // The check column stays at the left whatever the layout direction.
    const QRect checkColumn = laidOut(QRect(x, y, checkcol, h));

    if (!option->icon.isNull()) {
        QIcon::Mode mode = QIcon::Normal;
        if (disabled)
            mode = QIcon::Disabled;
        else if (selected)
            mode = QIcon::Active;
        const int extent = QProxyStyle::pixelMetric(PM_SmallIconSize);
        const QPixmap pixmap = option->icon.pixmap(extent, mode, checked ? QIcon::On : QIcon::Off);
        QRect place(0, 0, pixmap.width(), pixmap.height());
        place.moveCenter(QPoint((checkColumn.left() + checkColumn.right()) / 2,
                                (checkColumn.top() + checkColumn.bottom()) / 2));
        painter->setPen(pal.text().color());
        painter->setBrush(Qt::NoBrush);
        if (checked)
            velGridRect(painter, QRect(QPoint(place.left() - 1, place.top() - 2),
                                       QPoint(place.right() + 1, place.bottom() + 1)));
        painter->drawPixmap(place.topLeft(), pixmap);
    } else if (checked) {
        QStyleOptionMenuItem mark(*option);
        mark.state = disabled ? State_None : State_Enabled;
        if (selected)
            mark.state |= State_On;
        mark.rect = laidOut(QRect(x + 2, y + 2, checkcol - 4, h - 4));
        drawPrimitive(PE_IndicatorMenuCheckMark, &mark, painter, widget);
    }

    painter->setPen(textColor);

    if (!option->text.isEmpty()) {
        QString s = option->text;
        painter->save();
        const int tab = s.indexOf(QChar(9));
        int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
        if (QProxyStyle::styleHint(SH_UnderlineShortcut, option, widget) == 0)
            flags |= Qt::TextHideMnemonic;
        if (applicationMode())
            flags |= Qt::AlignAbsolute | (mirrored ? Qt::AlignRight : Qt::AlignLeft);
        else
            flags |= QApplication::isRightToLeft() ? Qt::AlignRight : Qt::AlignLeft;

        const bool etched = disabled && !selected;
        if (tab >= 0) {
            const QRect shortcutRect =
                laidOut(QRect(QPoint(logicalText.right(), y), QPoint(r.right(), r.bottom())));
            const QString shortcut = s.mid(tab + 1);
            if (etched) {
                painter->setPen(pal.light().color());
                painter->drawText(shortcutRect.translated(1, 1), flags, shortcut);
                painter->setPen(textColor);
            }
            painter->drawText(shortcutRect, flags, shortcut);
            s = s.left(tab);
        }

        QFont font = option->font;
        if (option->menuItemType == QStyleOptionMenuItem::DefaultItem)
            font.setBold(true);
        painter->setFont(font);
        if (etched) {
            painter->setPen(pal.light().color());
            painter->drawText(textRect.translated(1, 1), flags, s);
            painter->setPen(textColor);
        }
        painter->drawText(textRect, flags, s);
        painter->restore();
    }

    if (option->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int dim = (h - 4) / 2;
        const bool pointsLeft = applicationMode() ? mirrored : QApplication::isRightToLeft();
        const PrimitiveElement arrow = pointsLeft ? PE_IndicatorArrowLeft : PE_IndicatorArrowRight;
        QStyleOptionMenuItem arrowOption(*option);
        arrowOption.rect = laidOut(QRect(x + w - 8 - dim, y + h / 2 - dim / 2, dim, dim));
        arrowOption.state = disabled ? State_None : State_Enabled;
        if (selected)
            arrowOption.palette.setColor(QPalette::ButtonText, arrowOption.palette.highlightedText().color());
        drawPrimitive(arrow, &arrowOption, painter, widget);
    }
}

void MelvoroStyle::drawMenuBarItem(const QStyleOptionMenuItem* option, QPainter* painter,
                                   const QWidget* widget, const LookColors& colors) const {
    if (option->menuItemType == QStyleOptionMenuItem::DefaultItem)
        return;

    const QRect& r = option->rect;
    const bool selected = option->state & State_Selected;
    const bool disabled = !(option->state & State_Enabled);

    QBrush brush;
    if (selected) {
        brush = QBrush(colors.buttonHover);
    } else {
        QLinearGradient gradient(0, 0, 0, r.height());
        gradient.setColorAt(0.0, colors.lighter1);
        gradient.setColorAt(1.0, colors.lighter1);
        brush = QBrush(gradient);
    }

    const QPalette::ColorRole role =
        disabled ? QPalette::Text : (selected ? QPalette::HighlightedText : QPalette::ButtonText);
    // In application mode the text stays readable on the entry's background.
    QPalette palette = option->palette;
    if (applicationMode() && !disabled) {
        const QColor background = selected ? colors.buttonHover : colors.lighter1;
        palette.setColor(role, velReadableOn(background, palette.color(role), palette.buttonText().color()));
    }
    const QPixmap pixmap =
        option->icon.pixmap(QProxyStyle::pixelMetric(PM_SmallIconSize), QIcon::Normal, QIcon::Off);

    int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (QProxyStyle::styleHint(SH_UnderlineShortcut, option, widget) == 0)
        flags |= Qt::TextHideMnemonic;

    painter->fillRect(r, brush);
    if (selected) {
        painter->setPen(QColor(0, 0, 0, 255));
        velGridRect(painter, QRect(QPoint(r.left(), r.top() - 1), QPoint(r.right() - 1, r.bottom() + 1)));
    }

    // A menu bar entry shows its icon or its text, never both.
    if (!pixmap.isNull())
        drawItemPixmap(painter, r, flags, pixmap);
    else
        drawItemText(painter, r, flags, palette, !disabled, option->text, role);
}
