#include "style/melvorostyle.h"

#include "style/devicegrid.h"
#include "style/optioncheck.h"

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
        return;
    case PE_IndicatorCheckBox:
        drawCheckBoxIndicator(option, painter, widget);
        return;
    case PE_IndicatorRadioButton:
        drawRadioButtonIndicator(option, painter, widget);
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

void drawIndicatorHover(const MelvoroStyle& style, const QStyleOption* option, QPainter* painter,
                        const QWidget* widget) {
    if (showsIndicatorHover(option, widget))
        style.drawHoverHighlight(painter, widget->rect());
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
        drawHoverHighlight(painter, widget->rect());
        painter->restore();
    }
    // The indicator itself, over the highlight.
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
    painter->drawPixmap(option->rect.topLeft(), pixmap);
    painter->restore();
}
