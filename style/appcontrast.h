#pragma once
// Application mode: lines and marks that stand out from what they are drawn on. Graphics that are not
// text read at a contrast of at least 3:1 (the WCAG measure for controls); a look colour that falls short
// is deepened toward black or white, whichever stands further from the background, until it reads.

#include "style/contrast.h"

#include <QColor>

inline constexpr double velReadableMarkContrast = 3.0;

// preferred if it reads on background, else preferred blended step by step toward black or white.
inline QColor velMarkOn(const QColor& background, const QColor& preferred) {
    if (!background.isValid() || !preferred.isValid())
        return preferred;
    if (velContrastRatio(background, preferred) >= velReadableMarkContrast)
        return preferred;
    const QColor black(0, 0, 0), white(255, 255, 255);
    const QColor target =
        velContrastRatio(background, black) >= velContrastRatio(background, white) ? black : white;
    const QColor from = preferred.toRgb();
    auto mix = [](int a, int b, int step) { return a + (b - a) * step / 10; };
    // Black or white itself reads on any background (at least 4.58:1), so the last step always ends it.
    for (int step = 1; step <= 10; ++step) {
        const QColor mixed(mix(from.red(), target.red(), step), mix(from.green(), target.green(), step),
                           mix(from.blue(), target.blue(), step));
        if (velContrastRatio(background, mixed) >= velReadableMarkContrast)
            return mixed;
    }
    return target;
}

// The first of two look colours that reads on background, else the second deepened until it does.
inline QColor velMarkOn(const QColor& background, const QColor& first, const QColor& second) {
    if (first.isValid() && background.isValid() &&
        velContrastRatio(background, first) >= velReadableMarkContrast)
        return first;
    return velMarkOn(background, second);
}

// A line between two backgrounds of the same side (both light or both dark) that reads on both: preferred,
// deepened until it reads on first and then, if need be, on second.
inline QColor velMarkBetween(const QColor& first, const QColor& second, const QColor& preferred) {
    return velMarkOn(second, velMarkOn(first, preferred));
}
