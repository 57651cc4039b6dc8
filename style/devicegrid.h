#pragma once
// One-pixel lines, points and outlines that stay whole at every device pixel ratio. On a painter that
// scales (a device of ratio 1.25, 1.5, 2, 3 ...), each logical pixel of a line is filled as the cell of
// device pixels that a fill of that logical pixel covers, so a line lies exactly on the pixels its
// neighbours' fills leave it: never split between two cells, never lost at a clipped border. On a painter
// that does not scale, the painter's own drawLine, drawPoint and drawRect are called, unchanged.

#include <QRect>

class QPainter;

// How many device pixels one logical pixel spans on the painter's device: the scale of its device
// transform (the device's pixel ratio and any scaling of the painter); 1 when it does not scale.
qreal velGridRatio(const QPainter* painter);

// Whether the painter maps logical pixels to device pixels by a scale other than 1 (without rotation).
bool velGridScales(const QPainter* painter);

// drawLine(x1, y1, x2, y2) in the painter's pen, for a horizontal or vertical line (any other is drawn
// by drawLine): the pixels from one end to the other, both included.
void velGridLine(QPainter* painter, int x1, int y1, int x2, int y2);

// drawPoint(x, y) in the painter's pen.
void velGridPoint(QPainter* painter, int x, int y);

// drawRect(rect) in the painter's pen and brush: an outline on columns left and left + width and rows
// top and top + height (a two-pixel pen adds the column and row before each), the brush inside.
void velGridRect(QPainter* painter, const QRect& rect);
