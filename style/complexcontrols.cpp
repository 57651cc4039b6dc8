// Complex controls: sliders painted from the image store's pictures over the hover capsule, and group
// boxes with a plain frame and a black, centred title; their sub-control geometry and the slider's size.

#include "style/devicegrid.h"
#include "style/melvorostyle.h"
#include "style/optioncheck.h"

#include <QPainter>
#include <QRegion>
#include <QStyleOption>
#include <QWidget>

namespace {

constexpr int sliderHandleWidth = 13;
constexpr int sliderHandleHeight = 27;
constexpr int sliderGrooveTop = 9;
constexpr int sliderGrooveBottom = 17;

} // namespace

void MelvoroStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    // Without an option or a painter there is nothing to paint.
    if (!option || !painter)
        return;
    if (control == CC_TitledFrame) {
        // The host family's own control: the toolkit's styles do not know it.
        CommonAppStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    switch (control) {
    case CC_Slider:
        if (const auto* slider = velOption<QStyleOptionSlider>(option)) {
            if (applicationMode())
                drawSliderApp(slider, painter, widget);
            else
                drawSlider(slider, painter, widget);
        }
        return;
    case CC_GroupBox:
        if (const auto* groupBox = velOption<QStyleOptionGroupBox>(option)) {
            if (applicationMode())
                drawGroupBoxApp(groupBox, painter, widget);
            else
                drawGroupBox(groupBox, painter, widget);
        }
        return;
    case CC_ScrollBar:
        if (const auto* scrollBar = velOption<QStyleOptionSlider>(option); scrollBar && applicationMode())
            drawScrollBarApp(scrollBar, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    case CC_SpinBox:
        if (const auto* spinBox = velOption<QStyleOptionSpinBox>(option); spinBox && applicationMode())
            drawSpinBoxApp(spinBox, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    case CC_ComboBox:
        if (const auto* comboBox = velOption<QStyleOptionComboBox>(option); comboBox && applicationMode())
            drawComboBoxApp(comboBox, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    case CC_ToolButton:
        if (const auto* button = velOption<QStyleOptionToolButton>(option); button && applicationMode())
            drawToolButtonApp(button, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    case CC_Dial:
        if (const auto* dial = velOption<QStyleOptionSlider>(option); dial && applicationMode())
            drawDialApp(dial, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    case CC_TitleBar:
        if (const auto* titleBar = velOption<QStyleOptionTitleBar>(option); titleBar && applicationMode())
            drawTitleBarApp(titleBar, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    default:
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
}

void MelvoroStyle::drawSlider(const QStyleOptionSlider* option, QPainter* painter,
                              const QWidget* widget) const {
    const QRect groove = subControlRect(CC_Slider, option, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, option, SC_SliderHandle, widget);

    painter->save();
    const State hover = State_Enabled | State_MouseOver;
    if ((option->state & hover) == hover && widget)
        drawHoverHighlight(painter, widget->rect().adjusted(0, 4, 0, -4));

    // The images come at the device's pixel ratio; one drawn for a higher ratio is scaled down smoothly.
    const qreal ratio = velGridRatio(painter);
    if ((option->subControls & SC_SliderGroove) && groove.isValid()) {
        const QPixmap bar = stylePixmap("slider_bar", ratio);
        if (bar.devicePixelRatio() > ratio)
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
        const int barHeight = qRound(bar.height() / bar.devicePixelRatio());
        painter->drawPixmap(QRect(groove.x() + 5, groove.y(), groove.width() - 10, barHeight), bar);
    }
    if ((option->subControls & SC_SliderHandle) && handle.isValid()) {
        const QPixmap thumb = stylePixmap("slider_thumb_on", ratio);
        if (thumb.devicePixelRatio() > ratio)
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(handle.topLeft(), thumb);
    }
    painter->restore();
}

void MelvoroStyle::drawGroupBox(const QStyleOptionGroupBox* option, QPainter* painter,
                                const QWidget* widget) const {
    const QRect label = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect checkBox = subControlRect(CC_GroupBox, option, SC_GroupBoxCheckBox, widget);

    if (option->subControls & SC_GroupBoxFrame) {
        QStyleOptionFrame frame;
        frame.version = velFrameFeaturesVersion;
        frame.state = option->state;
        frame.direction = option->direction;
        frame.fontMetrics = option->fontMetrics;
        frame.palette = option->palette;
        frame.features = option->features;
        frame.lineWidth = option->lineWidth;
        frame.midLineWidth = option->midLineWidth;
        frame.rect = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);

        painter->save();
        if (!option->text.isEmpty()) {
            // The frame's top edge is clipped away behind the title.
            QRect title = checkBox.united(label);
            if (option->subControls & SC_GroupBoxCheckBox) {
                if (option->direction == Qt::LeftToRight)
                    title.setLeft(title.left() - 4);
                else
                    title.setRight(title.right() + 4);
            }
            frame.rect.setTop(frame.rect.top() + 5);
            painter->setClipRegion(QRegion(option->rect) - QRegion(title), Qt::ReplaceClip);
        }
        drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
        painter->restore();
    }

    if (option->subControls & SC_GroupBoxLabel) {
        painter->setPen(QColor(0, 0, 0, 255));
        painter->drawText(label.translated(0, -4), Qt::AlignHCenter | Qt::AlignVCenter, option->text);
    }
}

QRect MelvoroStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                   const QWidget* widget) const {
    if (!option)
        return QRect();
    // In application mode the toolkit's geometry: relative to the option's rectangle, in both orientations,
    // with the group box's check box and alignment.
    if (applicationMode() && (control == CC_GroupBox || control == CC_Slider))
        return QProxyStyle::subControlRect(control, option, sub, widget);
    if (control == CC_TitledFrame)
        return CommonAppStyle::subControlRect(control, option, sub, widget);
    switch (control) {
    case CC_GroupBox: {
        const auto* groupBox = velOption<QStyleOptionGroupBox>(option);
        if (!groupBox)
            return QRect();
        if (sub != SC_GroupBoxLabel)
            return QProxyStyle::subControlRect(control, option, sub, widget);
        // The label's top is row 0 of the widget, not the option rectangle's top.
        const int textWidth = groupBox->fontMetrics.horizontalAdvance(groupBox->text);
        return QRect(groupBox->rect.x() + 5, 0, textWidth + 10, 30);
    }
    case CC_Slider: {
        QRect r = QProxyStyle::subControlRect(control, option, sub, widget);
        if (!velOption<QStyleOptionSlider>(option))
            return r;
        if (sub == SC_SliderHandle) {
            r.setSize(QSize(sliderHandleWidth, sliderHandleHeight));
        } else if (sub == SC_SliderGroove) {
            // Rows of the widget, not offsets from the option rectangle.
            r.setTop(sliderGrooveTop);
            r.setBottom(sliderGrooveBottom);
        }
        return r;
    }
    default:
        return QProxyStyle::subControlRect(control, option, sub, widget);
    }
}

QSize MelvoroStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
    // Without an option there is nothing to measure: the contents keep their size.
    if (!option)
        return size;
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_Slider && !applicationMode())
        result.setHeight(stylePixmap("slider_thumb_on").height());
    return result;
}
