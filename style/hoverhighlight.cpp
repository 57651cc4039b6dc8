#include "style/melvorostyle.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The capsule: a bar with semicircular ends that fills rect, in a soft green, without an outline.
void paintHoverCapsule(QPainter* painter, const QRect& rect,
                       const QColor& color = QColor(191, 215, 191, 255)) {
    if (!painter)
        return;
    const qreal h = rect.height();
    QPainterPath path;
    path.addRect(QRectF(rect.x() + h / 2, rect.y(), rect.width() - h, h));
    path.addEllipse(QRectF(rect.x(), rect.y(), h, h));
    path.addEllipse(QRectF(rect.x() + rect.width() - h, rect.y(), h, h));
    path.setFillRule(Qt::WindingFill);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(color));
    painter->setRenderHint(QPainter::Antialiasing);
    painter->drawPath(path);
}

} // namespace

void CommonAppStyle::drawHoverHighlight(QPainter* painter, const QRect& rect) const {
    paintHoverCapsule(painter, rect);
}

void MelvoroStyle::drawHoverHighlight(QPainter* painter, const QRect& rect) const {
    // In application mode the capsule takes the look's hover colour, which follows the palette.
    if (applicationMode()) {
        const QColor hover = widgetColor("ColorButtonHover", nullptr);
        if (hover.isValid()) {
            paintHoverCapsule(painter, rect, hover);
            return;
        }
    }
    paintHoverCapsule(painter, rect);
}
