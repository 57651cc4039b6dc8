// Application mode: progress bars in both orientations, filling from the reading start (from the bottom
// when vertical, either way turned round by inverted appearance). The groove lies in "ColorGUI" framed in
// "ColorGUIDarker2" ("ColorGUIDarker1" when disabled); the done part runs from "ColorButtonHover" to
// "ColorButtonSelected", framed in "ColorGUIDarker2" (flat "ColorGUIDarker1" when disabled). A busy bar
// (no range) sends a striped block to and fro along the groove and asks its widget to paint again; the
// stripes tell it from a bar partly done even in a still picture.
//
// The Qt property "busyAnimationTime" (milliseconds, on the bar's widget or on the style) holds busy bars
// still where they would be that long after their motion began, for pictures that must come out the same
// every time (screenshots, benchmarks); a bar held so asks for no repaints. Without it they follow the
// clock.

#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QElapsedTimer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyleOption>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <iterator>

namespace {

// A busy bar's block moves one pixel every kBusyStep milliseconds, repainted every kBusyFrame.
constexpr qint64 kBusyStep = 10;
constexpr int kBusyFrame = 40;

// A busy block's stripes: one every kStripePeriod pixels along it, kStripeWidth wide, slanting at 45°.
constexpr int kStripePeriod = 8;
constexpr int kStripeWidth = 4;

qint64 busyClock() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

// The time a busy bar is held at: the widget's "busyAnimationTime", else the style's; none (-1) when
// neither names a time of 0 or more.
qint64 heldBusyTime(const QObject* style, const QWidget* widget) {
    for (const QObject* holder : {static_cast<const QObject*>(widget), style}) {
        if (!holder)
            continue;
        const QVariant value = holder->property("busyAnimationTime");
        bool ok = false;
        const qint64 time = value.toLongLong(&ok);
        if (value.isValid() && ok)
            return time >= 0 ? time : -1;
    }
    return -1;
}

// The block of a busy bar: a face in "ColorButtonHover" (the dark colour when disabled) crossed by stripes
// in "ColorButtonSelected" ("ColorGUI") that start at the block's reading start and move with it.
void paintBusyBlock(QPainter* painter, const QRect& block, bool horizontal, bool enabled,
                    const LookColors& colors) {
    painter->fillRect(block, enabled ? colors.buttonHover : colors.darker1);
    const int along = horizontal ? block.width() : block.height();
    const int across = horizontal ? block.height() : block.width();
    auto point = [&](int a, int c) {
        return horizontal ? QPointF(block.left() + a, block.top() + c)
                          : QPointF(block.left() + c, block.top() + a);
    };
    QPainterPath stripes;
    for (int a = -across; a < along; a += kStripePeriod) {
        const QPointF corners[] = {point(a, 0), point(a + kStripeWidth, 0),
                                   point(a + kStripeWidth + across, across), point(a + across, across)};
        stripes.addPolygon(QPolygonF(QVector<QPointF>(std::begin(corners), std::end(corners))));
        stripes.closeSubpath();
    }
    painter->save();
    painter->setClipRect(block, Qt::IntersectClip);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(stripes, enabled ? colors.buttonSelected : colors.gui);
    painter->restore();
    if (enabled)
        velAppFrame(painter, block, colors.darker2);
}

} // namespace

void MelvoroStyle::drawProgressGrooveApp(const QStyleOption* option, QPainter* painter,
                                         const LookColors& colors) const {
    painter->fillRect(option->rect, colors.gui);
    velAppFrame(painter, option->rect, velAppFrameColor(velAppFace(option), colors));
}

void MelvoroStyle::drawProgressContentsApp(const QStyleOptionProgressBar* option, QPainter* painter,
                                           const QWidget* widget, const LookColors& colors) const {
    const QRect r = option->rect;
    const bool horizontal = option->state & State_Horizontal;
    const int length = horizontal ? r.width() : r.height();
    if (length <= 0)
        return;
    // Whether the bar fills from its far end: the right when mirrored, the bottom when vertical.
    bool reverse = horizontal ? option->direction == Qt::RightToLeft : true;
    if (option->invertedAppearance)
        reverse = !reverse;

    int start = 0, extent = 0;
    const bool busy = option->minimum == 0 && option->maximum == 0;
    if (busy) {
        extent = qMax(8, length / 4);
        const qint64 travel = 2 * qint64(qMax(1, length - extent));
        const qint64 held = heldBusyTime(this, widget);
        const qint64 at = ((held >= 0 ? held : busyClock()) / kBusyStep) % travel;
        start = int(at <= travel / 2 ? at : travel - at);
        // One repaint pending per bar: a paint that finds one already pending asks for no other, so
        // repaints from elsewhere never add timers that keep each other going. The timer is the bar's
        // child, connected by name: nothing of it outlives the bar or runs code of this module after the
        // host has closed it.
        if (widget && held < 0) {
            static const char* const kRepaint = "_velBusyRepaint";
            auto* bar = const_cast<QWidget*>(widget);
            auto* timer = bar->findChild<QTimer*>(QLatin1String(kRepaint), Qt::FindDirectChildrenOnly);
            if (!timer) {
                timer = new QTimer(bar);
                timer->setObjectName(QLatin1String(kRepaint));
                timer->setSingleShot(true);
                timer->setInterval(kBusyFrame);
                QObject::connect(timer, SIGNAL(timeout()), bar, SLOT(update()));
            }
            if (!timer->isActive())
                timer->start();
        }
    } else {
        const qint64 range = qint64(option->maximum) - option->minimum;
        const qint64 done =
            qBound<qint64>(0, qint64(option->progress) - option->minimum, qMax<qint64>(range, 0));
        extent = range > 0 ? int(length * done / range) : 0;
    }
    if (extent <= 0)
        return;
    if (reverse)
        start = length - start - extent;
    const QRect chunk = horizontal ? QRect(r.left() + start, r.top(), extent, r.height())
                                   : QRect(r.left(), r.top() + start, r.width(), extent);

    painter->save();
    if (busy) {
        paintBusyBlock(painter, chunk, horizontal, option->state & State_Enabled, colors);
    } else if (option->state & State_Enabled) {
        const QPointF end =
            horizontal ? QPointF(chunk.left(), chunk.bottom() + 1) : QPointF(chunk.right() + 1, chunk.top());
        QLinearGradient gradient(chunk.topLeft(), end);
        gradient.setColorAt(0.0, colors.buttonHover);
        gradient.setColorAt(1.0, colors.buttonSelected);
        painter->fillRect(chunk, QBrush(gradient));
        velAppFrame(painter, chunk, colors.darker2);
    } else {
        painter->fillRect(chunk, colors.darker1);
    }
    painter->restore();
}
