#pragma once
// Reading rendered widgets: the background of an area (its most frequent colour), the "ink" on it (pixels
// that stand apart from it), and the WCAG contrast of the ink against the background.

#include "style/contrast.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QWidget>

namespace pixels {

// Shows the widget (off screen), lets it lay out and paint, and grabs it.
inline QImage shown(QWidget& widget) {
    widget.show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor background(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    const QRect r = area.intersected(image.rect());
    QRgb best = 0;
    int bestCount = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const int count = ++counts[image.pixel(x, y)];
            if (count > bestCount) {
                bestCount = count;
                best = image.pixel(x, y);
            }
        }
    return QColor(best);
}

// The pixels of area that differ from its background by at least minContrast.
inline QRect inkBounds(const QImage& image, const QRect& area, double minContrast = 1.5) {
    const QColor bg = background(image, area);
    const QRect r = area.intersected(image.rect());
    QRect bounds;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (velContrastRatio(QColor(image.pixel(x, y)), bg) >= minContrast)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int inkCount(const QImage& image, const QRect& area, double minContrast = 1.5) {
    const QColor bg = background(image, area);
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += velContrastRatio(QColor(image.pixel(x, y)), bg) >= minContrast;
    return count;
}

// The contrast of the strongest ink (the core of the text strokes) against the background.
inline double textContrast(const QImage& image, const QRect& area) {
    const QColor bg = background(image, area);
    const QRect r = area.intersected(image.rect());
    double best = 1.0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = std::max(best, velContrastRatio(QColor(image.pixel(x, y)), bg));
    return best;
}

// Whether two areas of the same size show different pixels.
inline bool differ(const QImage& a, const QImage& b, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return true;
    return false;
}

} // namespace pixels
