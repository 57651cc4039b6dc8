#include "style/melvorostyle.h"

#include "style/devicegrid.h"
#include "style/optioncheck.h"

#include <QAbstractButton>
#include <QPainter>
#include <QWidget>

void MelvoroStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    Q_ASSERT_X(option, "MelvoroStyle::drawPrimitive", "option");
    if (!option || !painter)
        return;
    switch (element) {
    case PE_FrameGroupBox:
        drawGroupBoxFrame(option, painter);
        return;
    case PE_FrameMenu:
        drawMenuFrame(option, painter);
        return;
    case PE_FrameTabWidget:
        if (applicationMode())
            drawTabWidgetFrameApp(option, painter);
        return;
    case PE_Frame:
    case PE_PanelLineEdit:
    case PE_FrameLineEdit:
        if (applicationMode())
            drawLineEditApp(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_PanelButtonTool:
    case PE_FrameButtonTool:
    case PE_IndicatorButtonDropDown:
        if (applicationMode())
            drawToolPanelApp(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorArrowUp:
    case PE_IndicatorArrowDown:
    case PE_IndicatorArrowLeft:
    case PE_IndicatorArrowRight:
    case PE_IndicatorSpinUp:
    case PE_IndicatorSpinDown:
    case PE_IndicatorSpinPlus:
    case PE_IndicatorSpinMinus:
        if (applicationMode())
            drawArrowApp(element, option, painter);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_PanelStatusBar:
    case PE_FrameStatusBarItem:
        if (applicationMode())
            drawStatusBarApp(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_PanelTipLabel:
        if (applicationMode())
            drawTipLabelApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_FrameFocusRect:
    case PE_FrameDefaultButton:
        if (applicationMode())
            drawFocusFrameApp(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorDockWidgetResizeHandle:
        if (applicationMode()) {
            LookColors colors;
            askLookColors(widget, colors);
            drawDockSeparatorApp(option, painter, colors);
        } else {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
        return;
    case PE_FrameWindow:
        if (applicationMode())
            drawWindowFrameApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorCheckBox:
        drawCheckBoxIndicator(option, painter, widget);
        return;
    case PE_IndicatorRadioButton:
        drawRadioButtonIndicator(option, painter, widget);
        return;
    case PE_IndicatorHeaderArrow:
        if (applicationMode())
            drawHeaderArrowApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_PanelItemViewItem:
    case PE_PanelItemViewRow:
        if (!applicationMode())
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        else if (const auto* item = velOption<QStyleOptionViewItem>(option))
            drawItemViewPanelApp(element, item, painter, widget);
        return;
    case PE_IndicatorBranch:
        if (applicationMode())
            drawBranchApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorToolBarSeparator:
        if (applicationMode())
            drawToolBarSeparatorApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorToolBarHandle:
        if (applicationMode())
            drawToolBarHandleApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorColumnViewArrow:
        if (applicationMode())
            drawColumnViewArrowApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    case PE_IndicatorItemViewItemCheck:
        if (applicationMode())
            drawCheckIndicatorApp(option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
}

namespace {

// The hover step of the check box and radio button indicators: with the mouse over an enabled button,
// the highlight across the whole widget, under the indicator.
bool showsIndicatorHover(const QStyleOption* option, const QWidget* widget) {
    return widget && (option->state & QStyle::State_Enabled) && (option->state & QStyle::State_MouseOver);
}

// Where the highlight goes: across the whole button; in application mode, where the indicator belongs to
// another control (a group box's check box), around the indicator only.
QRect indicatorHoverRect(const MelvoroStyle& style, const QStyleOption* option, const QWidget* widget) {
    if (style.applicationMode() && !qobject_cast<const QAbstractButton*>(widget))
        return option->rect;
    return widget->rect();
}

void drawIndicatorHover(const MelvoroStyle& style, const QStyleOption* option, QPainter* painter,
                        const QWidget* widget) {
    if (showsIndicatorHover(option, widget))
        style.drawHoverHighlight(painter, indicatorHoverRect(style, option, widget));
}

// In application mode a disabled indicator is painted faded, so it stands apart from an enabled one.
constexpr qreal kDisabledOpacity = 0.45;

bool fadesIndicator(const MelvoroStyle& style, const QStyleOption* option) {
    return style.applicationMode() && !(option->state & QStyle::State_Enabled);
}

} // namespace

void MelvoroStyle::drawGroupBoxFrame(const QStyleOption* option, QPainter* painter) const {
    if (const QStyleOptionFrame* frame = velFrameOptionV2(option))
        velGridRect(painter, frame->rect.adjusted(0, 0, -1, -1));
}

void MelvoroStyle::drawMenuFrame(const QStyleOption* option, QPainter* painter) const {
    painter->save();
    painter->setPen(QPen(QBrush(QColor(0, 0, 0, 255)), 2));
    velGridRect(painter, option->rect);
    painter->restore();
}

void MelvoroStyle::drawCheckBoxIndicator(const QStyleOption* option, QPainter* painter,
                                         const QWidget* widget) const {
    if (!velOption<QStyleOptionButton>(option))
        return;
    // The painter is saved only when the highlight changes it; a resting check box costs no saved state.
    if (showsIndicatorHover(option, widget)) {
        painter->save();
        drawHoverHighlight(painter, indicatorHoverRect(*this, option, widget));
        painter->restore();
    }
    // The indicator itself, over the highlight; application mode paints it in the look, disabled too.
    if (applicationMode())
        drawCheckIndicatorApp(option, painter, widget);
    else
        QProxyStyle::drawPrimitive(PE_IndicatorCheckBox, option, painter, widget);
}

void MelvoroStyle::drawRadioButtonIndicator(const QStyleOption* option, QPainter* painter,
                                            const QWidget* widget) const {
    if (!velOption<QStyleOptionButton>(option))
        return;
    painter->save();
    drawIndicatorHover(*this, option, painter, widget);
    const char* image = "radiobutton_off";
    if (option->state & State_Sunken)
        image = "radiobutton_on2";
    else if (option->state & State_On)
        image = "radiobutton_on";
    const qreal ratio = velGridRatio(painter);
    const QPixmap pixmap = stylePixmap(image, ratio);
    // A variant drawn for a higher ratio is scaled down smoothly.
    if (pixmap.devicePixelRatio() > ratio)
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
    if (fadesIndicator(*this, option))
        painter->setOpacity(kDisabledOpacity);
    painter->drawPixmap(option->rect.topLeft(), pixmap);
    painter->restore();
}
