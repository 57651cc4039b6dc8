// Application mode: item views and their headers. Header sections are faces like the tool bar's, raised at
// rest, "ColorButtonHover" under the mouse, "ColorButtonSelected" pressed or selected, set apart by one-pixel
// lines on their bottom and trailing sides. Selected items lie in "ColorButtonSelected" (in its grey while
// the view has no focus), hovered ones in "ColorButtonHover", with their texts readable on that.
// Branches and the column view's arrows show arrows and no lines; check marks sit in boxes framed like the
// fields; a table's grid lies in the dark colours, read on the view's base. A disabled header's label is
// drawn flat in the disabled text colour.

#include "style/appcontrast.h"
#include "style/appfaces.h"
#include "style/contrast.h"
#include "style/devicegrid.h"
#include "style/iconpixmap.h"
#include "style/melvorostyle.h"
#include "style/optioncheck.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>

#include <cmath>

namespace {

// Lines and marks that are no text need a contrast of 3 to their background to be seen.
constexpr double kVisibleContrast = 3.0;

QColor mixed(const QColor& a, const QColor& b, qreal share) {
    const QColor x = a.toRgb(), y = b.toRgb();
    auto channel = [share](qreal p, qreal q) { return p * share + q * (1 - share); };
    return QColor::fromRgbF(channel(x.redF(), y.redF()), channel(x.greenF(), y.greenF()),
                            channel(x.blueF(), y.blueF()));
}

// preferred where it stands out from background, else fallback.
QColor visibleOn(const QColor& background, const QColor& preferred, const QColor& fallback) {
    return velContrastRatio(background, preferred) >= kVisibleContrast ? preferred : fallback;
}

// The face of a header section: a section pressed, or one of the selection, shows the pressed colour.
AppFace headerFace(const QStyleOption* option) {
    if (!(option->state & QStyle::State_Enabled))
        return AppFace::Disabled;
    if (option->state & (QStyle::State_Sunken | QStyle::State_On))
        return AppFace::Pressed;
    return velAppFace(option);
}

// The two colours a face runs between (the same twice for a flat face).
struct FaceEnds {
    QColor first, last;
};

FaceEnds faceEnds(AppFace face, const LookColors& colors) {
    switch (face) {
    case AppFace::Hover:
        return {colors.buttonHover, colors.buttonHover};
    case AppFace::Pressed:
        return {colors.buttonSelected, colors.buttonSelected};
    case AppFace::Disabled:
        return {colors.gui, colors.gui};
    case AppFace::Normal:
        break;
    }
    return {colors.lighter1, colors.gui};
}

// A text colour readable on both ends of a face.
QColor readableOnFace(const FaceEnds& ends, const QColor& preferred, const QColor& alternative) {
    const QColor onLast = velReadableOn(ends.last, preferred, alternative);
    return velContrastRatio(ends.first, onLast) >= velReadableContrast ? onLast
                                                                       : velReadableOn(ends.first, onLast);
}

// The text colour of a header section: the palette's button text made readable on the face; a disabled
// section keeps the palette's own.
QColor headerTextColor(const QStyleOption* option, const LookColors& colors) {
    const QPalette& palette = option->palette;
    const AppFace face = headerFace(option);
    if (face == AppFace::Disabled)
        return palette.color(QPalette::Disabled, QPalette::ButtonText);
    return readableOnFace(faceEnds(face, colors), palette.color(QPalette::ButtonText),
                          palette.color(QPalette::WindowText));
}

// The lines of a header part: along its bottom, and down its trailing side (the right, the left when
// mirrored).
void drawHeaderLines(QPainter* painter, const QRect& r, Qt::LayoutDirection direction, bool bottom,
                     bool trailing, const QColor& color) {
    painter->setPen(QPen(color, 1.0, Qt::SolidLine, Qt::SquareCap));
    if (bottom)
        velGridLine(painter, r.left(), r.bottom(), r.right(), r.bottom());
    if (trailing) {
        const int x = direction == Qt::RightToLeft ? r.left() : r.right();
        velGridLine(painter, x, r.top(), x, r.bottom());
    }
}

// Fills a header part with its face, running away from the header's outer side: down a horizontal
// header, across a vertical one from the side away from the cells (the right when mirrored).
void fillHeaderFace(QPainter* painter, const QRect& r, bool horizontal, Qt::LayoutDirection direction,
                    AppFace face, const LookColors& colors) {
    if (horizontal || direction != Qt::RightToLeft) {
        velAppFillFace(painter, r, face, colors, horizontal ? Qt::Vertical : Qt::Horizontal);
        return;
    }
    painter->save();
    painter->translate(r.left() + r.right() + 1, 0);
    painter->scale(-1, 1);
    velAppFillFace(painter, r, face, colors, Qt::Horizontal);
    painter->restore();
}

bool horizontalHeader(const QStyleOption* option) {
    if (const auto* header = velOption<QStyleOptionHeader>(option))
        return header->orientation == Qt::Horizontal;
    return option->state & QStyle::State_Horizontal;
}

// Draws with a copy of the header option that carries palette, keeping the fields of later versions.
template <class Draw>
void withHeaderPalette(const QStyleOptionHeader* header, const QPalette& palette, Draw draw) {
#if QT_VERSION_MAJOR >= 6
    if (const auto* later = velOption<QStyleOptionHeaderV2>(header, QStyleOptionHeaderV2::Version)) {
        QStyleOptionHeaderV2 copy(*later);
        copy.palette = palette;
        draw(&copy);
        return;
    }
#endif
    QStyleOptionHeader copy(*header);
    copy.palette = palette;
    draw(&copy);
}

// The colour group an item view paints an item in.
QPalette::ColorGroup itemGroup(const QStyleOption* option, const QWidget* widget) {
    const bool enabled = (option->state & QStyle::State_Enabled) && (!widget || widget->isEnabled());
    if (!enabled)
        return QPalette::Disabled;
    return option->state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
}

// The grey of that relative luminance.
QColor greyOfLuminance(double luminance) {
    const double c =
        luminance <= 0.0031308 ? 12.92 * luminance : 1.055 * std::pow(luminance, 1 / 2.4) - 0.055;
    const int v = qBound(0, int(std::lround(c * 255)), 255);
    return QColor(v, v, v);
}

// What lies under a selected or hovered item or row (invalid: nothing of the style's own). The selection
// of a view without the focus loses its colour: it lies in the grey as light as the selected colour. A
// disabled one lies in the window colour of the look.
QColor itemFill(const QStyleOption* option, const QWidget* widget, const LookColors& colors,
                bool selectionShows) {
    const QPalette::ColorGroup group = itemGroup(option, widget);
    if ((option->state & QStyle::State_Selected) && selectionShows) {
        if (group == QPalette::Disabled)
            return colors.gui;
        if (group == QPalette::Inactive)
            return greyOfLuminance(velRelativeLuminance(colors.buttonSelected));
        return colors.buttonSelected;
    }
    if ((option->state & QStyle::State_MouseOver) && group != QPalette::Disabled)
        return colors.buttonHover;
    return QColor();
}

// A square of at most side pixels, centred in r.
QRect centredSquare(const QRect& r, int side) {
    side = qMin(side, qMin(r.width(), r.height()));
    return QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
}

constexpr int kBranchArrowBox = 16;

// The colour of an arrow of an item (a branch, a column view's arrow): the dark colour where it reads on
// what lies under the arrow, else the text colour.
QColor itemArrowColor(const QStyleOption* option, const QWidget* widget, const LookColors& colors,
                      bool selectionShows) {
    const QPalette::ColorGroup group = itemGroup(option, widget);
    QColor background = itemFill(option, widget, colors, selectionShows);
    if (!background.isValid())
        background = option->palette.color(group, QPalette::Base);
    const QColor dark = group == QPalette::Disabled ? colors.darker1 : colors.darker2;
    return visibleOn(background, dark, option->palette.color(group, QPalette::Text));
}

} // namespace

void MelvoroStyle::drawHeaderSectionApp(const QStyleOption* option, QPainter* painter,
                                        const LookColors& colors) const {
    const AppFace face = headerFace(option);
    painter->save();
    fillHeaderFace(painter, option->rect, horizontalHeader(option), option->direction, face, colors);
    drawHeaderLines(painter, option->rect, option->direction, true, true, velAppFrameColor(face, colors));
    painter->restore();
}

void MelvoroStyle::drawHeaderLabelApp(const QStyleOptionHeader* option, QPainter* painter,
                                      const QWidget* widget, const LookColors& colors) const {
    QPalette palette = option->palette;
    const bool enabled = option->state & State_Enabled;
    if (enabled)
        palette.setColor(QPalette::ButtonText, headerTextColor(option, colors));
    withHeaderPalette(option, palette, [&](QStyleOptionHeader* label) {
        if (!label->icon.isNull()) {
            // The icon at the painter's ratio where the base would put it, the base's text beside it.
            const int extent = pixelMetric(PM_SmallIconSize, option, widget);
            const QPixmap pixmap = velIconPixmap(label->icon, QSize(extent, extent), painter,
                                                 enabled ? QIcon::Normal : QIcon::Disabled);
            const QSize size = (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
            const QRect place = alignedRect(label->direction, QFlag(label->iconAlignment), size, label->rect);
            painter->save();
            painter->setClipRect(label->rect, Qt::IntersectClip);
            painter->drawPixmap(place.topLeft(), pixmap);
            painter->restore();
            if (label->direction == Qt::RightToLeft)
                label->rect.setRight(label->rect.right() - size.width() - 2);
            else
                label->rect.setLeft(label->rect.left() + size.width() + 2);
            label->icon = QIcon();
        }
        if (!enabled) {
            // Disabled text, drawn as enabled in the disabled colour, lies flat (the base would etch it).
            label->state |= State_Enabled;
            const QColor disabled = palette.color(QPalette::Disabled, QPalette::ButtonText);
            for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                label->palette.setColor(group, QPalette::ButtonText, disabled);
        }
        QProxyStyle::drawControl(CE_HeaderLabel, label, painter, widget);
    });
}

void MelvoroStyle::drawHeaderArrowApp(const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    const auto* header = velOption<QStyleOptionHeader>(option);
    if (!header || header->sortIndicator == QStyleOptionHeader::None)
        return;
    LookColors colors;
    askLookColors(widget, colors);
    // The arrow points the way the values grow along the section's column, up for SortUp.
    const Qt::ArrowType arrow =
        header->sortIndicator == QStyleOptionHeader::SortUp ? Qt::UpArrow : Qt::DownArrow;
    velAppArrow(painter, option->rect, arrow, headerTextColor(option, colors));
}

void MelvoroStyle::drawHeaderEmptyAreaApp(const QStyleOption* option, QPainter* painter,
                                          const LookColors& colors) const {
    // The rest of the header continues its bar at rest, whatever the mouse does there.
    const AppFace face = option->state & State_Enabled ? AppFace::Normal : AppFace::Disabled;
    const bool horizontal = option->state & State_Horizontal;
    painter->save();
    fillHeaderFace(painter, option->rect, horizontal, option->direction, face, colors);
    drawHeaderLines(painter, option->rect, option->direction, horizontal, !horizontal,
                    velAppFrameColor(face, colors));
    painter->restore();
}

void MelvoroStyle::drawItemViewPanelApp(PrimitiveElement element, const QStyleOptionViewItem* option,
                                        QPainter* painter, const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const bool decorationSelected = styleHint(SH_ItemView_ShowDecorationSelected, option, widget);
    const QPalette::ColorGroup group = itemGroup(option, widget);
    if (element == PE_PanelItemViewRow) {
        const QColor fill = itemFill(option, widget, colors, decorationSelected);
        if (fill.isValid())
            painter->fillRect(option->rect, fill);
        else if (option->features & QStyleOptionViewItem::Alternate)
            painter->fillRect(option->rect, option->palette.brush(group, QPalette::AlternateBase));
        return;
    }
    if (option->backgroundBrush.style() != Qt::NoBrush) {
        const QPointF origin = painter->brushOrigin();
        painter->setBrushOrigin(option->rect.topLeft());
        painter->fillRect(option->rect, option->backgroundBrush);
        painter->setBrushOrigin(origin);
    }
    const QColor fill = itemFill(option, widget, colors, true);
    if (!fill.isValid())
        return;
    // Without the decoration in the selection, only the text of a selected item lies in it.
    const bool textOnly = (option->state & State_Selected) && !decorationSelected;
    painter->fillRect(textOnly ? subElementRect(SE_ItemViewItemText, option, widget) : option->rect, fill);
}

void MelvoroStyle::drawItemViewItemApp(const QStyleOptionViewItem* option, QPainter* painter,
                                       const QWidget* widget, const LookColors& colors) const {
    // The base style paints the item through this style's panel and check; its text and focus frame take
    // the colours of the panel painted under them.
    const QColor fill = itemFill(option, widget, colors, true);
    if (!fill.isValid()) {
        QProxyStyle::drawControl(CE_ItemViewItem, option, painter, widget);
        return;
    }
    const QPalette::ColorGroup group = itemGroup(option, widget);
    QStyleOptionViewItem item(*option);
    const QPalette& palette = option->palette;
    const QColor text = palette.color(group, QPalette::Text);
    if (option->state & State_Selected) {
        item.palette.setColor(group, QPalette::Highlight, fill);
        item.palette.setColor(
            group, QPalette::HighlightedText,
            group == QPalette::Disabled
                ? text
                : velReadableOn(fill, palette.color(group, QPalette::HighlightedText), text));
    } else {
        item.palette.setColor(group, QPalette::Text,
                              velReadableOn(fill, text, palette.color(group, QPalette::HighlightedText)));
    }
    QProxyStyle::drawControl(CE_ItemViewItem, &item, painter, widget);
}

void MelvoroStyle::drawBranchApp(const QStyleOption* option, QPainter* painter, const QWidget* widget) const {
    if (!(option->state & State_Children))
        return;
    LookColors colors;
    askLookColors(widget, colors);
    const QColor color =
        itemArrowColor(option, widget, colors, styleHint(SH_ItemView_ShowDecorationSelected, option, widget));
    const bool mirrored = option->direction == Qt::RightToLeft;
    const Qt::ArrowType arrow =
        option->state & State_Open ? Qt::DownArrow : (mirrored ? Qt::LeftArrow : Qt::RightArrow);
    velAppArrow(painter, centredSquare(option->rect, kBranchArrowBox), arrow, color);
}

void MelvoroStyle::drawColumnViewArrowApp(const QStyleOption* option, QPainter* painter,
                                          const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    // The column view leaves the arrow's part of a selected item in the base unless the decoration is
    // selected too.
    const auto* item = velOption<QStyleOptionViewItem>(option);
    const bool selectionShows = item && item->showDecorationSelected;
    const Qt::ArrowType arrow = option->direction == Qt::RightToLeft ? Qt::LeftArrow : Qt::RightArrow;
    velAppArrow(painter, centredSquare(option->rect, kBranchArrowBox), arrow,
                itemArrowColor(option, widget, colors, selectionShows));
}

QRgb MelvoroStyle::tableGridColorApp(const QStyleOption* option, const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const QPalette& palette = option ? option->palette : widget ? widget->palette() : QPalette();
    return velMarkOn(palette.color(QPalette::Active, QPalette::Base), colors.darker1, colors.darker2).rgba();
}

void MelvoroStyle::drawCheckIndicatorApp(const QStyleOption* option, QPainter* painter,
                                         const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const bool enabled = option->state & State_Enabled;
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const QPalette& palette = option->palette;
    const QRect box = centredSquare(option->rect, option->rect.width());
    if (box.width() < 5)
        return;
    QColor fill = palette.color(group, QPalette::Base);
    if (!enabled)
        fill = colors.gui;
    else if (option->state & State_Sunken)
        fill = colors.buttonSelected;
    const QColor text = palette.color(group, QPalette::Text);
    // An enabled box's frame reads on its fill (pressed too); a disabled one may fade.
    const QColor frame =
        enabled ? velMarkOn(fill, colors.darker2) : visibleOn(fill, colors.darker1, mixed(text, fill, 0.5));
    const QColor mark =
        enabled ? velReadableOn(fill, text, palette.color(group, QPalette::ButtonText)) : text;

    painter->save();
    painter->fillRect(box, fill);
    velAppFrame(painter, box, frame);
    const QRectF inner = QRectF(box).adjusted(2, 2, -2, -2);
    if (option->state & State_On) {
        // A tick from the left middle down to the lower third and up to the top right.
        QPainterPath tick;
        tick.moveTo(inner.left() + inner.width() * 0.12, inner.top() + inner.height() * 0.52);
        tick.lineTo(inner.left() + inner.width() * 0.4, inner.top() + inner.height() * 0.8);
        tick.lineTo(inner.left() + inner.width() * 0.9, inner.top() + inner.height() * 0.18);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(mark, qMax(1.5, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(tick);
    } else if (option->state & State_NoChange) {
        // Partly checked: a square in the middle.
        const int inset = box.width() / 4 + 1;
        painter->fillRect(box.adjusted(inset, inset, -inset, -inset), mark);
    }
    painter->restore();
}
