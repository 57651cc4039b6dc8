#pragma once
// Application mode: the faces the standard controls share, in the look of the tool bar and the tabs. A
// raised face runs from "ColorGUILighter1" to "ColorGUI" across it, is flat "ColorButtonHover" under the
// mouse and flat "ColorButtonSelected" while pressed; a disabled face is flat "ColorGUI". Faces and tracks
// are framed by one-pixel lines that stay whole at every device pixel ratio.

#include "style/melvorostyle.h"

#include <QStyle>

class QPainter;

enum class AppFace { Normal, Hover, Pressed, Disabled };

// The face of a control in that state; sub, when given, is the sub-control painted, which is hovered or
// pressed only while it is the option's active one.
AppFace velAppFace(const QStyleOption* option, QStyle::SubControls sub = QStyle::SC_None);

// Fills rect with the face; the gradient runs top to bottom (Qt::Vertical) or left to right.
void velAppFillFace(QPainter* painter, const QRect& rect, AppFace face, const LookColors& colors,
                    Qt::Orientation across);

// The one-pixel outline of rect, on its outermost pixels, in color.
void velAppFrame(QPainter* painter, const QRect& rect, const QColor& color);

// The outline colour of a face: "ColorGUIDarker2", "ColorGUIDarker1" when disabled.
QColor velAppFrameColor(AppFace face, const LookColors& colors);

// A text colour readable on every colour of the face (both ends of a raised face's gradient): preferred
// where it is, else black or white, whichever reads better. Disabled text keeps preferred.
QColor velAppTextOnFace(AppFace face, const LookColors& colors, const QColor& preferred);

// preferred where it reads (>= 4.5:1) on each of the count backgrounds (invalid ones are skipped), else
// black or white, whichever reads better on the worst of them.
QColor velReadableOnAll(const QColor* backgrounds, int count, const QColor& preferred);

// Whether a control shows its focus frame: it has the focus and the focus came from the keyboard (a
// click leaves no frame behind). Fields show their focus line whatever gave them the focus.
inline bool velShowsFocusFrame(QStyle::State state) {
    return (state & QStyle::State_HasFocus) && (state & QStyle::State_KeyboardFocusChange);
}

// A filled triangle pointing up, down, left or right, centred in rect, in color.
void velAppArrow(QPainter* painter, const QRect& rect, Qt::ArrowType arrow, const QColor& color);
