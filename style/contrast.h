#pragma once
// Text contrast as the WCAG measure it: the ratio of the relative luminances of two colours, from 1
// (the same) to 21 (black on white). Readable text keeps at least 4.5 to its background.

#include <QColor>
#include <cmath>

inline constexpr double velReadableContrast = 4.5;

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
inline double velRelativeLuminance(const QColor& color) {
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

inline double velContrastRatio(const QColor& a, const QColor& b) {
    const double la = velRelativeLuminance(a);
    const double lb = velRelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text colour readable on background: preferred when it is, else alternative when that is, else black
// or white, whichever contrasts more.
inline QColor velReadableOn(const QColor& background, const QColor& preferred,
                            const QColor& alternative = QColor()) {
    if (preferred.isValid() && velContrastRatio(background, preferred) >= velReadableContrast)
        return preferred;
    if (alternative.isValid() && velContrastRatio(background, alternative) >= velReadableContrast)
        return alternative;
    const QColor black(0, 0, 0), white(255, 255, 255);
    return velContrastRatio(background, black) >= velContrastRatio(background, white) ? black : white;
}
