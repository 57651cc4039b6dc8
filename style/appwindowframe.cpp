// Application mode: the frame of a sub-window, a band in the colour its title bar ends in
// ("ColorButtonSelected" while active, "ColorGUI" otherwise) inside one dark line; and the rubber band,
// "ColorButtonHover" in the dark frame, see-through inside a window and solid as a window of its own.

#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>
#include <QWidget>

namespace {

constexpr int kRubberBandAlpha = 96;

} // namespace

void MelvoroStyle::drawWindowFrameApp(const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const QRect& r = option->rect;
    if (r.isEmpty())
        return;
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    const int width = qBound(1, frame ? frame->lineWidth : 1, qMin(r.width(), r.height()) / 2);
    const QColor band = (option->state & State_Active) ? colors.buttonSelected : colors.gui;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), width), band);
    painter->fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), band);
    painter->fillRect(QRect(r.left(), r.top() + width, width, r.height() - 2 * width), band);
    painter->fillRect(QRect(r.right() - width + 1, r.top() + width, width, r.height() - 2 * width), band);
    velAppFrame(painter, r, colors.darker2);
}

void MelvoroStyle::drawRubberBandApp(const QStyleOption* option, QPainter* painter,
                                     const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    QColor fill = colors.buttonHover;
    if (!(widget && widget->isWindow()))
        fill.setAlpha(kRubberBandAlpha);
    painter->fillRect(option->rect, fill);
    velAppFrame(painter, option->rect, colors.darker2);
}
