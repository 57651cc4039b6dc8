#include "style/devicegrid.h"

#include <QPainter>
#include <QPen>
#include <QTransform>
#include <QtMath>

namespace {

// A pen whose lines can be filled cell by cell: solid, one logical pixel wide (or two, for outlines).
bool fillsCells(const QPen& pen, bool twoAllowed = false) {
    const qreal width = pen.widthF();
    return pen.style() == Qt::SolidLine && (width == 1.0 || (twoAllowed && width == 2.0));
}

// The first pixel a line on coordinate c covers: one pixel lies on c, two on c - 1 and c.
int bandStart(const QPen& pen, int c) {
    return pen.widthF() == 2.0 ? c - 1 : c;
}

// The logical pixels from (x1, y1) to (x2, y2), both included, in the pen's brush. Integer rectangles
// fill whole device pixels and tile without gaps or overlaps at any scale.
void fillCells(QPainter* painter, int x1, int y1, int x2, int y2) {
    const QRect cells(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2), qMax(y1, y2)));
    painter->fillRect(cells, painter->pen().brush());
}

} // namespace

qreal velGridRatio(const QPainter* painter) {
    const QTransform& t = painter->deviceTransform();
    switch (t.type()) {
    case QTransform::TxNone:
    case QTransform::TxTranslate:
        return 1.0;
    case QTransform::TxScale:
        return qMax(qAbs(t.m11()), qAbs(t.m22()));
    default:
        return qSqrt(qAbs(t.determinant()));
    }
}

bool velGridScales(const QPainter* painter) {
    return painter->deviceTransform().type() == QTransform::TxScale;
}

void velGridLine(QPainter* painter, int x1, int y1, int x2, int y2) {
    const bool straight = x1 == x2 || y1 == y2;
    if (!straight || !velGridScales(painter) || !fillsCells(painter->pen())) {
        painter->drawLine(x1, y1, x2, y2);
        return;
    }
    fillCells(painter, x1, y1, x2, y2);
}

void velGridPoint(QPainter* painter, int x, int y) {
    if (!velGridScales(painter) || !fillsCells(painter->pen())) {
        painter->drawPoint(x, y);
        return;
    }
    fillCells(painter, x, y, x, y);
}

void velGridRect(QPainter* painter, const QRect& rect) {
    // Without an outline drawRect is a fill, whole cells already.
    if (!velGridScales(painter) || !fillsCells(painter->pen(), true) || rect.width() < 0 ||
        rect.height() < 0) {
        painter->drawRect(rect);
        return;
    }
    const QPen& pen = painter->pen();
    const int band = int(pen.widthF());
    const int left = bandStart(pen, rect.left()), top = bandStart(pen, rect.top());
    const int right = bandStart(pen, rect.left() + rect.width()) + band - 1;
    const int bottom = bandStart(pen, rect.top() + rect.height()) + band - 1;
    const QRect inside(QPoint(left + band, top + band), QPoint(right - band, bottom - band));
    if (painter->brush().style() != Qt::NoBrush && inside.isValid())
        painter->fillRect(inside, painter->brush());
    fillCells(painter, left, top, right, top + band - 1);
    fillCells(painter, left, bottom - band + 1, right, bottom);
    if (inside.height() > 0) {
        fillCells(painter, left, inside.top(), left + band - 1, inside.bottom());
        fillCells(painter, right - band + 1, inside.top(), right, inside.bottom());
    }
}
