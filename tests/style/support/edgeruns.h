#pragma once
// Edges along one line of device pixels: the runs of one colour met from `from` in steps of `step`, and
// the check that there are `count` of them, each as wide as one logical pixel at `ratio`.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>

#include <cmath>

inline QList<int> velEdgeRuns(const QImage& image, QPoint from, QPoint step, int steps,
                              const QColor& colour) {
    QList<int> runs;
    bool inRun = false;
    for (QPoint p = from; steps-- > 0 && image.rect().contains(p); p += step) {
        const bool edge = QColor(image.pixel(p)) == colour;
        if (edge && !inRun)
            runs.append(0);
        if (edge)
            ++runs.last();
        inRun = edge;
    }
    return runs;
}

inline void velExpectLogicalPixelEdges(const QList<int>& runs, int count, qreal ratio) {
    ASSERT_EQ(runs.size(), count) << "x" << ratio;
    for (int run : runs) {
        EXPECT_GE(run, int(ratio)) << "x" << ratio;
        EXPECT_LE(run, int(std::ceil(ratio))) << "x" << ratio;
    }
}
