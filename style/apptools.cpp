// Application mode: tool buttons, arrows and tool boxes. A tool button is a face framed in the dark line:
// raised at rest, flat "ColorButtonHover" under the mouse, flat "ColorButtonSelected" while pressed or
// checked; an auto-raise button lies flat, showing the tool bar through it, until the mouse comes. A split
// button's menu part is a face of its own, hovered and pressed alone, on the reading end. Tool box tabs are
// faces of the same kind, the open page's tab washed from the hover colour into the pressed one. Arrows are
// filled triangles in the button text colour; every text keeps its contrast to the face it lies on.

#include "style/appfaces.h"
#include "style/contrast.h"
#include "style/devicegrid.h"
#include "style/iconpixmap.h"
#include "style/melvorostyle.h"

#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>
#include <QVarLengthArray>

#include <optional>

namespace {

using Backgrounds = QVarLengthArray<QColor, 3>;

// The face of a tool button, or of one part of it, in that state; none while it lies flat. A button is
// flat when it raises itself only under the mouse, or when its state is neither raised nor down.
std::optional<AppFace> toolFace(QStyle::State state) {
    const bool flat = (state & QStyle::State_AutoRaise) ||
                      !(state & (QStyle::State_Raised | QStyle::State_Sunken | QStyle::State_On));
    if (!(state & QStyle::State_Enabled)) {
        if (flat && !(state & QStyle::State_On))
            return std::nullopt;
        return AppFace::Disabled;
    }
    if (state & (QStyle::State_Sunken | QStyle::State_On))
        return AppFace::Pressed;
    if (state & QStyle::State_MouseOver)
        return AppFace::Hover;
    if (flat)
        return std::nullopt;
    return AppFace::Normal;
}

void paintToolFace(QPainter* painter, const QRect& rect, std::optional<AppFace> face,
                   const LookColors& colors, bool fill = true) {
    if (!face)
        return;
    if (fill)
        velAppFillFace(painter, rect, *face, colors, Qt::Vertical);
    velAppFrame(painter, rect, velAppFrameColor(*face, colors));
}

// What text on that face lies on: the face's colours, or for a flat button both ends of the tool bar's
// wash and the window behind it.
Backgrounds faceBackgrounds(std::optional<AppFace> face, const LookColors& colors, const QPalette& palette) {
    if (!face)
        return {colors.lighter1, colors.gui, palette.color(QPalette::Window)};
    switch (*face) {
    case AppFace::Hover:
        return {colors.buttonHover};
    case AppFace::Pressed:
        return {colors.buttonSelected};
    case AppFace::Disabled:
        return {colors.gui};
    case AppFace::Normal:
        break;
    }
    return {colors.lighter1, colors.gui};
}

// The preferred colour when it is readable on every background, else black or white, whichever is more so.
QColor readableOnAll(const Backgrounds& backgrounds, const QColor& preferred) {
    return velReadableOnAll(backgrounds.data(), int(backgrounds.size()), preferred);
}

// The palette with its button text readable on the backgrounds; disabled text keeps its colour.
QPalette readablePalette(const QPalette& palette, const Backgrounds& backgrounds) {
    QPalette readable = palette;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        readable.setColor(group, QPalette::ButtonText,
                          readableOnAll(backgrounds, palette.color(group, QPalette::ButtonText)));
    return readable;
}

QStyle::PrimitiveElement arrowElement(Qt::ArrowType arrow) {
    switch (arrow) {
    case Qt::UpArrow:
        return QStyle::PE_IndicatorArrowUp;
    case Qt::DownArrow:
        return QStyle::PE_IndicatorArrowDown;
    case Qt::LeftArrow:
        return QStyle::PE_IndicatorArrowLeft;
    default:
        return QStyle::PE_IndicatorArrowRight;
    }
}

// The faces of a tool box tab.
enum class TabFace { Normal, Hover, Pressed, Selected, Disabled };

TabFace toolBoxFace(QStyle::State state) {
    if (!(state & QStyle::State_Enabled))
        return TabFace::Disabled;
    if (state & QStyle::State_Sunken)
        return TabFace::Pressed;
    if (state & QStyle::State_Selected)
        return TabFace::Selected;
    if (state & QStyle::State_MouseOver)
        return TabFace::Hover;
    return TabFace::Normal;
}

Backgrounds toolBoxBackgrounds(TabFace face, const LookColors& colors, const QPalette& palette) {
    switch (face) {
    case TabFace::Selected:
        return {colors.buttonHover, colors.buttonSelected};
    case TabFace::Hover:
        return faceBackgrounds(AppFace::Hover, colors, palette);
    case TabFace::Pressed:
        return faceBackgrounds(AppFace::Pressed, colors, palette);
    case TabFace::Disabled:
        return faceBackgrounds(AppFace::Disabled, colors, palette);
    case TabFace::Normal:
        break;
    }
    return faceBackgrounds(AppFace::Normal, colors, palette);
}

} // namespace

void MelvoroStyle::drawToolButtonApp(const QStyleOptionToolButton* option, QPainter* painter,
                                     const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const QRect button = subControlRect(CC_ToolButton, option, SC_ToolButton, widget);
    const QRect menu = subControlRect(CC_ToolButton, option, SC_ToolButtonMenu, widget);
    const bool split = option->subControls & SC_ToolButtonMenu;

    // Hover and press belong to the part the option names active; a split button with neither part named
    // shows both. Under the mouse or pressed, both parts of an auto-raise split button stand up, so that
    // the split shows.
    const State shown = option->state & (State_MouseOver | State_Sunken);
    SubControls active = option->activeSubControls & (SC_ToolButton | SC_ToolButtonMenu);
    if (!split || !active)
        active = SC_ToolButton | SC_ToolButtonMenu;
    State buttonState = option->state & ~(State_MouseOver | State_Sunken);
    State menuState = buttonState;
    if (active & SC_ToolButton)
        buttonState |= shown;
    if (active & SC_ToolButtonMenu)
        menuState |= shown;
    if (split && shown && (option->state & State_Enabled)) {
        buttonState = (buttonState & ~State_AutoRaise) | State_Raised;
        menuState = (menuState & ~State_AutoRaise) | State_Raised;
    }

    painter->save();
    QStyleOptionToolButton part(*option);
    if (option->subControls & SC_ToolButton) {
        part.rect = button;
        part.state = buttonState;
        drawPrimitive(PE_PanelButtonTool, &part, painter, widget);
    }
    if (split) {
        // The menu part shares its edge with the button part.
        part.rect =
            option->direction == Qt::RightToLeft ? menu.adjusted(0, 0, 1, 0) : menu.adjusted(-1, 0, 0, 0);
        part.state = menuState;
        drawPrimitive(PE_IndicatorButtonDropDown, &part, painter, widget);
        part.rect = menu;
        part.palette =
            readablePalette(option->palette, faceBackgrounds(toolFace(menuState), colors, option->palette));
        drawPrimitive(PE_IndicatorArrowDown, &part, painter, widget);
    }

    const std::optional<AppFace> face = toolFace(buttonState);
    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = button.adjusted(3, 3, -3, -3);
        focus.backgroundColor = faceBackgrounds(face, colors, option->palette).at(0);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }

    QStyleOptionToolButton label(*option);
    label.state = buttonState;
    const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
    label.rect = button.adjusted(frame, frame, -frame, -frame);
    drawControl(CE_ToolButtonLabel, &label, painter, widget);

    // A button whose menu opens from the whole button marks it in its far lower corner.
    if (!split && (option->features & QStyleOptionToolButton::HasMenu)) {
        const int indicator = pixelMetric(PM_MenuButtonIndicator, option, widget);
        const QRect& r = option->rect;
        QStyleOptionToolButton mark(*option);
        mark.rect = visualRect(
            option->direction, button,
            QRect(r.right() + 5 - indicator, r.bottom() + 5 - indicator, indicator - 6, indicator - 6));
        mark.palette = readablePalette(option->palette, faceBackgrounds(face, colors, option->palette));
        drawPrimitive(PE_IndicatorArrowDown, &mark, painter, widget);
    }
    painter->restore();
}

void MelvoroStyle::drawToolButtonLabelApp(const QStyleOptionToolButton* option, QPainter* painter,
                                          const QWidget* widget, const LookColors& colors) const {
    const QPalette palette =
        readablePalette(option->palette, faceBackgrounds(toolFace(option->state), colors, option->palette));
    const bool enabled = option->state & State_Enabled;
    QPoint shift;
    if (option->state & (State_Sunken | State_On))
        shift = QPoint(pixelMetric(PM_ButtonShiftHorizontal, option, widget),
                       pixelMetric(PM_ButtonShiftVertical, option, widget));
    const bool hasArrow =
        (option->features & QStyleOptionToolButton::Arrow) && option->arrowType != Qt::NoArrow;
    int mnemonic = Qt::TextShowMnemonic;
    if (!styleHint(SH_UnderlineShortcut, option, widget))
        mnemonic |= Qt::TextHideMnemonic;
    const QRect& rect = option->rect;

    painter->save();
    painter->setFont(option->font);
    if ((!hasArrow && option->icon.isNull() && !option->text.isEmpty()) ||
        option->toolButtonStyle == Qt::ToolButtonTextOnly) {
        drawItemText(painter, rect.translated(shift), Qt::AlignCenter | mnemonic, palette, enabled,
                     option->text, QPalette::ButtonText);
        painter->restore();
        return;
    }

    QPixmap pixmap;
    QSize glyphSize = option->iconSize;
    if (!hasArrow && !option->icon.isNull()) {
        QIcon::Mode mode = QIcon::Normal;
        if (!enabled)
            mode = QIcon::Disabled;
        else if ((option->state & State_MouseOver) && (option->state & State_AutoRaise))
            mode = QIcon::Active;
        pixmap = velIconPixmap(option->icon, rect.size().boundedTo(option->iconSize), painter, mode,
                               option->state & State_On ? QIcon::On : QIcon::Off);
        glyphSize = pixmap.size() / pixmap.devicePixelRatio();
    }
    auto drawGlyph = [&](const QRect& r) {
        if (hasArrow) {
            QStyleOption arrow(*option);
            arrow.rect = r;
            arrow.palette = palette;
            drawPrimitive(arrowElement(option->arrowType), &arrow, painter, widget);
        } else if (!pixmap.isNull()) {
            drawItemPixmap(painter, r, Qt::AlignCenter, pixmap);
        }
    };

    if (option->toolButtonStyle == Qt::ToolButtonIconOnly) {
        drawGlyph(rect.translated(shift));
    } else {
        // The glyph keeps 4 pixels beside or under it, as the button's size allows for.
        QRect glyph = rect, text = rect;
        int alignment = mnemonic;
        if (option->toolButtonStyle == Qt::ToolButtonTextUnderIcon) {
            glyph.setHeight(glyphSize.height() + 4);
            text.adjust(0, glyph.height() - 1, 0, -1);
            alignment |= Qt::AlignCenter;
        } else {
            glyph.setWidth(glyphSize.width() + 4);
            text.setLeft(glyph.right() + 1);
            alignment |= visualAlignment(option->direction, Qt::AlignLeft | Qt::AlignVCenter);
        }
        glyph = visualRect(option->direction, rect, glyph).translated(shift);
        text = visualRect(option->direction, rect, text).translated(shift);
        drawGlyph(glyph);
        const QString elided = painter->fontMetrics().elidedText(option->text, Qt::ElideMiddle, text.width(),
                                                                 Qt::TextShowMnemonic);
        drawItemText(painter, text, alignment, palette, enabled, elided, QPalette::ButtonText);
    }
    painter->restore();
}

void MelvoroStyle::drawToolPanelApp(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    paintToolFace(painter, option->rect, toolFace(option->state), colors, element != PE_FrameButtonTool);
}

void MelvoroStyle::drawArrowApp(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter) const {
    const QColor color = option->palette.color(
        option->state & State_Enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    const QRect& r = option->rect;
    switch (element) {
    case PE_IndicatorArrowUp:
    case PE_IndicatorSpinUp:
        velAppArrow(painter, r, Qt::UpArrow, color);
        return;
    case PE_IndicatorArrowDown:
    case PE_IndicatorSpinDown:
        velAppArrow(painter, r, Qt::DownArrow, color);
        return;
    case PE_IndicatorArrowLeft:
        velAppArrow(painter, r, Qt::LeftArrow, color);
        return;
    case PE_IndicatorArrowRight:
        velAppArrow(painter, r, Qt::RightArrow, color);
        return;
    default:
        break;
    }
    // A minus, and a plus that crosses it.
    if (r.width() < 3 || r.height() < 3)
        return;
    const QPoint c = r.center();
    const int half = qMax(2, qMin(r.width(), r.height()) / 4);
    painter->save();
    painter->setPen(color);
    velGridLine(painter, c.x() - half, c.y(), c.x() + half, c.y());
    if (element == PE_IndicatorSpinPlus)
        velGridLine(painter, c.x(), c.y() - half, c.x(), c.y() + half);
    painter->restore();
}

void MelvoroStyle::drawToolBoxTabShapeApp(const QStyleOptionToolBox* option, QPainter* painter,
                                          const LookColors& colors) const {
    const QRect& r = option->rect;
    const TabFace face = toolBoxFace(option->state);
    switch (face) {
    case TabFace::Selected: {
        // The open page's tab runs from the hover colour into the pressed one it was opened with.
        QLinearGradient wash(r.topLeft(), r.bottomLeft() + QPoint(0, 1));
        wash.setColorAt(0.0, colors.buttonHover);
        wash.setColorAt(1.0, colors.buttonSelected);
        painter->fillRect(r, QBrush(wash));
        velAppFrame(painter, r, colors.darker2);
        return;
    }
    case TabFace::Hover:
        paintToolFace(painter, r, AppFace::Hover, colors);
        return;
    case TabFace::Pressed:
        paintToolFace(painter, r, AppFace::Pressed, colors);
        return;
    case TabFace::Disabled:
        paintToolFace(painter, r, AppFace::Disabled, colors);
        return;
    case TabFace::Normal:
        paintToolFace(painter, r, AppFace::Normal, colors);
        return;
    }
}

void MelvoroStyle::drawToolBoxTabLabelApp(const QStyleOptionToolBox* option, QPainter* painter,
                                          const QWidget* widget, const LookColors& colors) const {
    const bool enabled = option->state & State_Enabled;
    const int extent = pixelMetric(PM_SmallIconSize, option, widget);
    const QPixmap pixmap = velIconPixmap(option->icon, QSize(extent, extent), painter,
                                         enabled ? QIcon::Normal : QIcon::Disabled);
    const QRect contents = subElementRect(SE_ToolBoxTabContents, option, widget);
    QRect text = contents.adjusted(4, 0, -8, 0), icon;
    if (!pixmap.isNull()) {
        const QSize size = pixmap.size() / pixmap.devicePixelRatio();
        icon = QRect(contents.left() + 4, contents.top(), size.width() + 6, contents.height());
        text =
            QRect(QPoint(icon.right() + 1, contents.top()), QPoint(contents.right() - 4, contents.bottom()));
    }
    icon = visualRect(option->direction, contents, icon);
    text = visualRect(option->direction, contents, text);

    painter->save();
    if ((option->state & State_Selected) && styleHint(SH_ToolBox_SelectedPageTitleBold, option, widget)) {
        QFont bold = painter->font();
        bold.setBold(true);
        painter->setFont(bold);
    }
    if (!pixmap.isNull())
        drawItemPixmap(painter, icon, Qt::AlignCenter, pixmap);
    int alignment =
        visualAlignment(option->direction, Qt::AlignLeft | Qt::AlignVCenter) | Qt::TextShowMnemonic;
    if (!styleHint(SH_UnderlineShortcut, option, widget))
        alignment |= Qt::TextHideMnemonic;
    const QString title =
        painter->fontMetrics().elidedText(option->text, Qt::ElideRight, text.width(), Qt::TextShowMnemonic);
    const QPalette palette = readablePalette(
        option->palette, toolBoxBackgrounds(toolBoxFace(option->state), colors, option->palette));
    drawItemText(painter, text, alignment, palette, enabled, title, QPalette::ButtonText);
    if (!title.isEmpty() && (option->state & State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = itemTextRect(painter->fontMetrics(), text, alignment, enabled, title)
                         .adjusted(-2, -1, 2, 1)
                         .intersected(option->rect.adjusted(1, 1, -1, -1));
        focus.state = option->state & State_KeyboardFocusChange;
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}
