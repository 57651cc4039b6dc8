// Application mode: push button bevels in the look. A bevel is a face (raised, hovered, pressed or
// disabled) framed in "ColorGUIDarker2", a default button framed twice; a flat button shows a face only
// under the mouse or pressed.

#include "style/appfaces.h"
#include "style/melvorostyle.h"

#include <QPainter>
#include <QStyleOption>

void MelvoroStyle::drawPushButtonBevelApp(const QStyleOptionButton* option, QPainter* painter,
                                          const LookColors& colors) const {
    const AppFace face = velAppFace(option);
    if ((option->features & QStyleOptionButton::Flat) &&
        (face == AppFace::Normal || face == AppFace::Disabled))
        return;
    velAppFillFace(painter, option->rect, face, colors, Qt::Vertical);
    const QColor frame = velAppFrameColor(face, colors);
    velAppFrame(painter, option->rect, frame);
    if (option->features & QStyleOptionButton::DefaultButton)
        velAppFrame(painter, option->rect.adjusted(1, 1, -1, -1), frame);
}
