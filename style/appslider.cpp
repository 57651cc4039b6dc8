// Application mode: sliders in both orientations, painted from the image store's pictures at the device's
// pixel ratio into the toolkit's geometry (relative to the option's rectangle), with tick marks, the hover
// capsule along the slider, a pressed handle and a faded disabled slider.

#include "style/devicegrid.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QTransform>

namespace {

constexpr qreal kDisabledOpacity = 0.45;
// Laid over the handle while it is pressed.
const QColor kPressedShade(0, 0, 0, 80);

} // namespace

void MelvoroStyle::drawSliderApp(const QStyleOptionSlider* option, QPainter* painter,
                                 const QWidget* widget) const {
    const bool horizontal = option->orientation == Qt::Horizontal;
    const QRect groove = subControlRect(CC_Slider, option, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, option, SC_SliderHandle, widget);
    // Pictures of a horizontal slider at the device's pixel ratio, turned a quarter for a vertical one; one
    // drawn for a higher ratio is scaled down smoothly. logical: the picture's size in logical pixels.
    const qreal ratio = velGridRatio(painter);
    auto picture = [horizontal, ratio, painter](const char* name, QSize& logical) {
        const QPixmap pixmap = stylePixmap(name, ratio);
        if (pixmap.devicePixelRatio() > ratio)
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
        logical = (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
        if (horizontal)
            return pixmap;
        logical.transpose();
        QPixmap turned = pixmap.transformed(QTransform().rotate(90));
        turned.setDevicePixelRatio(pixmap.devicePixelRatio());
        return turned;
    };

    painter->save();
    const State hover = State_Enabled | State_MouseOver;
    if ((option->state & hover) == hover) {
        if (horizontal) {
            drawHoverHighlight(painter, option->rect.adjusted(0, 4, 0, -4));
        } else {
            // The capsule along the slider: the horizontal one turned a quarter round the top right corner.
            const QRect r = option->rect.adjusted(4, 0, -4, 0);
            painter->save();
            painter->translate(r.left() + r.width(), r.top());
            painter->rotate(90);
            drawHoverHighlight(painter, QRect(0, 0, r.height(), r.width()));
            painter->restore();
        }
    }
    if (!(option->state & State_Enabled))
        painter->setOpacity(kDisabledOpacity);

    if ((option->subControls & SC_SliderGroove) && groove.isValid()) {
        QSize size;
        const QPixmap bar = picture("slider_bar", size);
        QRect target;
        if (horizontal) {
            target = QRect(groove.x() + 5, 0, groove.width() - 10, size.height());
            target.moveCenter(QPoint(target.center().x(), groove.center().y()));
        } else {
            target = QRect(0, groove.y() + 5, size.width(), groove.height() - 10);
            target.moveCenter(QPoint(groove.center().x(), target.center().y()));
        }
        painter->drawPixmap(target, bar);
    }

    if (option->subControls & SC_SliderTickmarks) {
        // The base style draws the tick marks alone (no groove, handle or focus frame of its own).
        QStyleOptionSlider ticks(*option);
        ticks.subControls = SC_SliderTickmarks;
        ticks.state &= ~State_HasFocus;
        QProxyStyle::drawComplexControl(CC_Slider, &ticks, painter, widget);
    }

    if ((option->subControls & SC_SliderHandle) && handle.isValid()) {
        QSize size;
        painter->drawPixmap(handle, picture("slider_thumb_on", size));
        if ((option->state & State_Sunken) && (option->activeSubControls & SC_SliderHandle))
            painter->fillRect(handle, kPressedShade);
    }
    painter->restore();

    if (option->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = subElementRect(SE_SliderFocusRect, option, widget);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}
