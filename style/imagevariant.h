#pragma once
// Variants of an image for devices of a higher pixel ratio: the same picture drawn at two and three times
// its size, kept by an image store under the image's name with "@2x" or "@3x" appended ("slider_bar@2x").

#include <QByteArray>
#include <cstring>

inline constexpr int velImageVariantScales[] = {2, 3};
inline constexpr int velImageVariantCount =
    int(sizeof velImageVariantScales / sizeof velImageVariantScales[0]);

// "name@Nx" for a scale N of 2 or more; the name itself otherwise.
inline QByteArray velImageVariantName(const char* name, int scale) {
    QByteArray result(name);
    if (scale >= 2)
        result += '@' + QByteArray::number(scale) + 'x';
    return result;
}

// Whether the name is a variant's name: it ends in "@Nx" with N a digit from 2 to 9.
inline bool velIsImageVariantName(const char* name) {
    const size_t length = name ? std::strlen(name) : 0;
    if (length < 4)
        return false;
    const char* end = name + length - 3;
    return end[0] == '@' && end[1] >= '2' && end[1] <= '9' && end[2] == 'x';
}

// The scales to try for a device of that pixel ratio, best first, ending with 1 (the image itself): the
// smallest variant that is at least as large as the ratio, then larger ones, then smaller ones. Fills
// scales (room for velImageVariantCount + 1) and answers how many it wrote. A ratio of 1 or less (or not
// a number) asks for the image itself alone.
inline int velImageScalesFor(double ratio, int* scales) {
    int count = 0;
    if (ratio > 1.0) {
        for (int scale : velImageVariantScales)
            if (scale >= ratio)
                scales[count++] = scale;
        for (int i = velImageVariantCount - 1; i >= 0; --i)
            if (velImageVariantScales[i] < ratio)
                scales[count++] = velImageVariantScales[i];
    }
    scales[count++] = 1;
    return count;
}
