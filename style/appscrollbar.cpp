// Application mode: scroll bars in both orientations. The track lies in "ColorGUI" framed in
// "ColorGUIDarker1"; the arrow buttons and the slider are raised faces framed in "ColorGUIDarker2", each
// hovered and pressed on its own; a pressed page is shaded in "ColorButtonHover".

#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>

void MelvoroStyle::drawScrollBarApp(const QStyleOptionSlider* option, QPainter* painter,
                                    const QWidget* widget) const {
    LookColors colors;
    askLookColors(widget, colors);
    const bool horizontal = option->orientation == Qt::Horizontal;
    const Qt::Orientation across = horizontal ? Qt::Vertical : Qt::Horizontal;
    auto rectOf = [&](SubControl sub) { return subControlRect(CC_ScrollBar, option, sub, widget); };

    painter->save();
    const QRect groove = rectOf(SC_ScrollBarGroove);
    if (option->subControls & SC_ScrollBarGroove) {
        painter->fillRect(groove, colors.gui);
        for (SubControl page : {SC_ScrollBarSubPage, SC_ScrollBarAddPage})
            if ((option->subControls & page) && velAppFace(option, page) == AppFace::Pressed)
                painter->fillRect(rectOf(page), colors.buttonHover);
        velAppFrame(painter, groove, colors.darker1);
    }

    // The arrows point away from the slider's path; a mirrored horizontal bar starts at the right.
    const bool mirrored = horizontal && option->direction == Qt::RightToLeft;
    const Qt::ArrowType back = horizontal ? (mirrored ? Qt::RightArrow : Qt::LeftArrow) : Qt::UpArrow;
    const Qt::ArrowType forward = horizontal ? (mirrored ? Qt::LeftArrow : Qt::RightArrow) : Qt::DownArrow;
    const struct {
        SubControl sub;
        Qt::ArrowType arrow;
    } buttons[] = {{SC_ScrollBarSubLine, back}, {SC_ScrollBarAddLine, forward}};
    const QColor arrowColor = option->palette.color(
        option->state & State_Enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    for (const auto& button : buttons) {
        const QRect r = rectOf(button.sub);
        if (!(option->subControls & button.sub) || r.isEmpty())
            continue;
        const AppFace face = velAppFace(option, button.sub);
        velAppFillFace(painter, r, face, colors, across);
        velAppFrame(painter, r, velAppFrameColor(face, colors));
        velAppArrow(painter, r, button.arrow, arrowColor);
    }

    // A bar that cannot scroll shows no slider, as the base style does.
    const QRect slider = rectOf(SC_ScrollBarSlider);
    if ((option->subControls & SC_ScrollBarSlider) && option->maximum > option->minimum &&
        !slider.isEmpty()) {
        const AppFace face = velAppFace(option, SC_ScrollBarSlider);
        velAppFillFace(painter, slider, face, colors, across);
        velAppFrame(painter, slider, velAppFrameColor(face, colors));
    }
    painter->restore();
}
