// Application mode: dials as a round track in "ColorGUIDarker1" with the value's arc in "ColorGUIDarker2"
// (deepened where it would not stand out from the window), notches around it when the dial shows them,
// and a knob inside as a face of the look (hovered, pressed, disabled) with a pointer to the value. The
// keyboard focus rings the knob. Everything is drawn antialiased in the painter's device pixels, so it
// stays sharp at every ratio.

#include "style/appcontrast.h"
#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QAbstractSlider>
#include <QLinearGradient>
#include <QPainter>
#include <QStyleOption>
#include <QtMath>

namespace {

// A dial that does not wrap leaves a gap of 60 degrees at the bottom.
constexpr qreal kOpenRange = 300.0, kWrappedRange = 360.0;
constexpr int kMostNotches = 360;

struct DialAngles {
    qreal minimumEnd; // where the minimum lies, degrees counter-clockwise from three o'clock
    qreal span;       // from there to the value, negative clockwise
    qreal range;      // from the minimum to the maximum, signed as span
};

DialAngles dialAngles(const QStyleOptionSlider* option) {
    const qreal range = option->dialWrapping ? kWrappedRange : kOpenRange;
    // upsideDown is the dial's ordinary sense: values grow clockwise from the lower left.
    const qreal sense = option->upsideDown ? -1.0 : 1.0;
    DialAngles angles;
    angles.minimumEnd = option->dialWrapping ? 270.0 : (option->upsideDown ? 240.0 : -60.0);
    angles.range = sense * range;
    angles.span = 0;
    const qint64 width = qint64(option->maximum) - option->minimum;
    if (width > 0) {
        const qreal at =
            qBound<qreal>(0.0, (qint64(option->sliderPosition) - option->minimum) / qreal(width), 1.0);
        angles.span = angles.range * at;
    }
    return angles;
}

QPointF onCircle(const QPointF& centre, qreal radius, qreal degrees) {
    const qreal a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qCos(a), -radius * qSin(a));
}

QRectF circle(const QPointF& centre, qreal radius) {
    return QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
}

AppFace dialFace(const QStyleOptionSlider* option, const QWidget* widget) {
    if (!(option->state & QStyle::State_Enabled))
        return AppFace::Disabled;
    const auto* slider = qobject_cast<const QAbstractSlider*>(widget);
    if ((option->state & QStyle::State_Sunken) || (slider && slider->isSliderDown()))
        return AppFace::Pressed;
    if (option->state & QStyle::State_MouseOver)
        return AppFace::Hover;
    return AppFace::Normal;
}

} // namespace

void MelvoroStyle::drawDialApp(const QStyleOptionSlider* option, QPainter* painter,
                               const QWidget* widget) const {
    const QRect& r = option->rect;
    const int side = qMin(r.width(), r.height());
    if (side < 12)
        return;
    LookColors colors;
    askLookColors(widget, colors);
    const QPointF centre = QRectF(r).center();
    const AppFace face = dialFace(option, widget);
    const DialAngles angles = dialAngles(option);
    const bool notches = option->subControls & SC_DialTickmarks;

    const qreal outer = side / 2.0 - 1.0;
    const qreal notchLength = qMax<qreal>(3.0, outer * 0.12);
    const qreal trackOuter = notches ? outer - notchLength - 2.0 : outer;
    const qreal trackWidth = qMax<qreal>(3.0, trackOuter * 0.16);
    const qreal gap = qMax<qreal>(2.0, trackOuter * 0.08);
    const qreal knob = trackOuter - trackWidth - gap;
    if (knob < 2.0)
        return;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);

    if (notches) {
        painter->setPen(
            QPen(face == AppFace::Disabled ? colors.darker1 : velMarkOn(colors.gui, colors.darker2), 1.0));
        const qint64 width = qint64(option->maximum) - option->minimum;
        qint64 interval = option->tickInterval > 0 ? option->tickInterval : qMax(1, option->singleStep);
        if (width > 0 && width / interval > kMostNotches)
            interval = (width + kMostNotches - 1) / kMostNotches;
        const qint64 count = width > 0 ? width / interval : 0;
        for (qint64 i = 0; i <= count; ++i) {
            const qreal degrees =
                angles.minimumEnd + angles.range * (i * interval) / qreal(width > 0 ? width : 1);
            painter->drawLine(onCircle(centre, outer, degrees),
                              onCircle(centre, outer - notchLength, degrees));
        }
    }

    if (option->subControls & SC_DialGroove) {
        const QRectF track = circle(centre, trackOuter - trackWidth / 2);
        const QColor rest = face == AppFace::Disabled ? colors.gui : colors.darker1;
        painter->setPen(QPen(rest, trackWidth, Qt::SolidLine, Qt::FlatCap));
        if (option->dialWrapping)
            painter->drawEllipse(track);
        else
            painter->drawArc(track, qRound(angles.minimumEnd * 16), qRound(angles.range * 16));
        const QColor value =
            face == AppFace::Disabled ? colors.darker1 : velMarkOn(colors.gui, colors.darker2);
        if (qAbs(angles.span) > 0.5) {
            painter->setPen(QPen(value, trackWidth, Qt::SolidLine, Qt::FlatCap));
            painter->drawArc(track, qRound(angles.minimumEnd * 16), qRound(angles.span * 16));
        }
    }

    if (option->subControls & SC_DialHandle) {
        const QRectF bounds = circle(centre, knob);
        QColor under = colors.gui;
        switch (face) {
        case AppFace::Hover:
            under = colors.buttonHover;
            painter->setBrush(under);
            break;
        case AppFace::Pressed:
            under = colors.buttonSelected;
            painter->setBrush(under);
            break;
        case AppFace::Disabled:
            painter->setBrush(colors.gui);
            break;
        case AppFace::Normal: {
            QLinearGradient gradient(bounds.topLeft(), bounds.bottomLeft());
            gradient.setColorAt(0.0, colors.lighter1);
            gradient.setColorAt(1.0, colors.gui);
            painter->setBrush(gradient);
            break;
        }
        }
        painter->setPen(QPen(velAppFrameColor(face, colors), 1.0));
        painter->drawEllipse(bounds.adjusted(0.5, 0.5, -0.5, -0.5));
        // The pointer, from near the middle toward the rim, at the value.
        const qreal degrees = option->maximum > option->minimum ? angles.minimumEnd + angles.span : 90.0;
        const QColor mark = face == AppFace::Disabled ? colors.darker1 : velMarkOn(under, colors.darker2);
        painter->setPen(QPen(mark, qMax<qreal>(2.0, knob * 0.14), Qt::SolidLine, Qt::RoundCap));
        painter->drawLine(onCircle(centre, knob * 0.3, degrees), onCircle(centre, knob * 0.75, degrees));
    }

    if (velShowsFocusFrame(option->state)) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(velMarkOn(colors.gui, colors.buttonSelected, colors.darker2), 1.0));
        painter->drawEllipse(circle(centre, knob + gap / 2));
    }
    painter->restore();
}
