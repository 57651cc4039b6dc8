#pragma once
// An icon's pixmap for a painter: drawn from the icon's variant for the painter's device pixel ratio (a
// 2x pixmap on a device of ratio 2, whatever ratio the application's screens have), so an icon is never
// blown up from its 1x pixmap where a sharper one exists.

#include <QIcon>
#include <QPixmap>

class QPainter;

// The icon at size logical pixels for a device of that pixel ratio; the pixmap's own ratio says how many
// of its pixels one logical pixel takes (1 when the icon has nothing larger than size).
QPixmap velIconPixmap(const QIcon& icon, const QSize& size, qreal ratio, QIcon::Mode mode = QIcon::Normal,
                      QIcon::State state = QIcon::Off);

// The same for what the painter paints on: its device's pixel ratio and any scaling of the painter.
QPixmap velIconPixmap(const QIcon& icon, const QSize& size, const QPainter* painter,
                      QIcon::Mode mode = QIcon::Normal, QIcon::State state = QIcon::Off);
