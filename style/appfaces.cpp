#include "style/appfaces.h"

#include "style/contrast.h"
#include "style/devicegrid.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QStyleOption>

#include <algorithm>

AppFace velAppFace(const QStyleOption* option, QStyle::SubControls sub) {
    if (!(option->state & QStyle::State_Enabled))
        return AppFace::Disabled;
    bool active = true;
    if (sub != QStyle::SC_None) {
        const auto* complex = qstyleoption_cast<const QStyleOptionComplex*>(option);
        active = complex && (complex->activeSubControls & sub);
    }
    if (active && (option->state & QStyle::State_Sunken))
        return AppFace::Pressed;
    if (active && (option->state & QStyle::State_MouseOver))
        return AppFace::Hover;
    return AppFace::Normal;
}

void velAppFillFace(QPainter* painter, const QRect& rect, AppFace face, const LookColors& colors,
                    Qt::Orientation across) {
    switch (face) {
    case AppFace::Hover:
        painter->fillRect(rect, colors.buttonHover);
        return;
    case AppFace::Pressed:
        painter->fillRect(rect, colors.buttonSelected);
        return;
    case AppFace::Disabled:
        painter->fillRect(rect, colors.gui);
        return;
    case AppFace::Normal:
        break;
    }
    const QPointF end = across == Qt::Vertical ? QPointF(rect.left(), rect.bottom() + 1)
                                               : QPointF(rect.right() + 1, rect.top());
    QLinearGradient gradient(rect.topLeft(), end);
    gradient.setColorAt(0.0, colors.lighter1);
    gradient.setColorAt(1.0, colors.gui);
    painter->fillRect(rect, QBrush(gradient));
}

void velAppFrame(QPainter* painter, const QRect& rect, const QColor& color) {
    if (rect.isEmpty())
        return;
    painter->save();
    painter->setPen(QPen(color, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter->setBrush(Qt::NoBrush);
    velGridRect(painter, rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QColor velAppFrameColor(AppFace face, const LookColors& colors) {
    return face == AppFace::Disabled ? colors.darker1 : colors.darker2;
}

QColor velReadableOnAll(const QColor* backgrounds, int count, const QColor& preferred) {
    auto worst = [&](const QColor& text) {
        double ratio = 21.0;
        for (int i = 0; i < count; ++i)
            if (backgrounds[i].isValid())
                ratio = std::min(ratio, velContrastRatio(backgrounds[i], text));
        return ratio;
    };
    if (preferred.isValid() && worst(preferred) >= velReadableContrast)
        return preferred;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return worst(black) >= worst(white) ? black : white;
}

QColor velAppTextOnFace(AppFace face, const LookColors& colors, const QColor& preferred) {
    switch (face) {
    case AppFace::Disabled:
        return preferred;
    case AppFace::Hover:
        return velReadableOnAll(&colors.buttonHover, 1, preferred);
    case AppFace::Pressed:
        return velReadableOnAll(&colors.buttonSelected, 1, preferred);
    case AppFace::Normal:
        break;
    }
    const QColor raised[] = {colors.lighter1, colors.gui};
    return velReadableOnAll(raised, 2, preferred);
}

void velAppArrow(QPainter* painter, const QRect& rect, Qt::ArrowType arrow, const QColor& color) {
    if (arrow == Qt::NoArrow || rect.width() < 3 || rect.height() < 3)
        return;
    // A triangle whose base is twice its height, a little under half the rectangle's shorter side wide.
    const qreal half = qMax(2.0, qMin(rect.width(), rect.height()) / 4.0);
    const QPointF c = QRectF(rect).center();
    QPolygonF triangle;
    switch (arrow) {
    case Qt::UpArrow:
        triangle << QPointF(c.x() - half, c.y() + half / 2) << QPointF(c.x() + half, c.y() + half / 2)
                 << QPointF(c.x(), c.y() - half / 2);
        break;
    case Qt::DownArrow:
        triangle << QPointF(c.x() - half, c.y() - half / 2) << QPointF(c.x() + half, c.y() - half / 2)
                 << QPointF(c.x(), c.y() + half / 2);
        break;
    case Qt::LeftArrow:
        triangle << QPointF(c.x() + half / 2, c.y() - half) << QPointF(c.x() + half / 2, c.y() + half)
                 << QPointF(c.x() - half / 2, c.y());
        break;
    default:
        triangle << QPointF(c.x() - half / 2, c.y() - half) << QPointF(c.x() - half / 2, c.y() + half)
                 << QPointF(c.x() + half / 2, c.y());
        break;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(triangle);
    painter->restore();
}
