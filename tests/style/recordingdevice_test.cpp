// The recording paint device itself: the clip it records with each drawing call is the clip the painter
// has in force at that call, through save and restore, switching off and transforms.

#include "style/support/recordingpaintdevice.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <QVector>

namespace {

// The painter's own view of its clip at each drawing call, beside what the device recorded.
struct Seen {
    bool clipping = false;
    QRegion clip; // device coordinates
};

class StyleRecordingDevice : public ::testing::Test {
protected:
    void drawAndNote(QPainter& painter) {
        painter.drawRect(QRect(1, 1, 5, 5));
        Seen seen;
        seen.clipping = painter.hasClipping();
        if (seen.clipping)
            seen.clip = painter.transform().map(painter.clipRegion());
        expected.append(seen);
    }

    // Draws once in the state set up after a save and once more after the restore.
    void drawAroundRestore(QPainter& painter) {
        drawAndNote(painter);
        painter.restore();
        drawAndNote(painter);
    }

    // Ends the painter, then compares what the device recorded with the painter's view.
    void endAndCompare(QPainter& painter) {
        painter.end();
        expectRecordedAsSeen();
    }

    // Every recorded call agrees with the painter.
    void expectRecordedAsSeen() {
        const QVector<PaintOp> rects = device.ofKind(PaintOp::Rect);
        ASSERT_EQ(rects.size(), expected.size());
        for (int i = 0; i < rects.size(); ++i) {
            EXPECT_EQ(rects[i].clipEnabled, expected[i].clipping) << "call " << i;
            if (expected[i].clipping) {
                EXPECT_EQ(rects[i].clip, expected[i].clip) << "call " << i;
            }
        }
    }

    RecordingPaintDevice device{100, 80};
    QVector<Seen> expected;
};

TEST_F(StyleRecordingDevice, NoClipUntilOneIsSet) {
    QPainter painter(&device);
    drawAndNote(painter);
    painter.setClipRect(QRect(10, 10, 20, 20));
    drawAndNote(painter);
    endAndCompare(painter);
    EXPECT_FALSE(device.ops()[0].clipEnabled);
    EXPECT_TRUE(device.ops()[1].clipEnabled);
    EXPECT_EQ(device.ops()[1].clip, QRegion(10, 10, 20, 20));
}

TEST_F(StyleRecordingDevice, RestoreDropsAClipSetAfterTheSave) {
    QPainter painter(&device);
    painter.save();
    painter.setClipRegion(QRegion(0, 0, 50, 50) - QRegion(10, 10, 5, 5));
    drawAroundRestore(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_TRUE(device.ops()[0].clipEnabled);
    EXPECT_FALSE(device.ops()[1].clipEnabled) << "no clip is in force after the restore";
}

TEST_F(StyleRecordingDevice, RestoreBringsBackTheOuterClip) {
    QPainter painter(&device);
    painter.setClipRect(QRect(0, 0, 60, 40));
    painter.save();
    painter.setClipRect(QRect(20, 10, 60, 40), Qt::IntersectClip);
    drawAroundRestore(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_EQ(device.ops()[0].clip, QRegion(20, 10, 40, 30));
    EXPECT_TRUE(device.ops()[1].clipEnabled);
    EXPECT_EQ(device.ops()[1].clip, QRegion(0, 0, 60, 40));
}

TEST_F(StyleRecordingDevice, SwitchingClippingOffAndOnKeepsTheRegion) {
    QPainter painter(&device);
    painter.setClipRect(QRect(5, 5, 30, 30));
    painter.setClipping(false);
    drawAndNote(painter);
    painter.setClipping(true);
    drawAndNote(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_FALSE(device.ops()[0].clipEnabled);
    EXPECT_TRUE(device.ops()[1].clipEnabled);
    EXPECT_EQ(device.ops()[1].clip, QRegion(5, 5, 30, 30));
}

TEST_F(StyleRecordingDevice, NoClipOperationEndsClipping) {
    QPainter painter(&device);
    painter.setClipRect(QRect(5, 5, 30, 30));
    painter.setClipRect(QRect(), Qt::NoClip);
    drawAndNote(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 1);
    EXPECT_FALSE(device.ops()[0].clipEnabled);
}

TEST_F(StyleRecordingDevice, ClipIsKeptInDeviceCoordinates) {
    QPainter painter(&device);
    painter.translate(10, 20);
    painter.setClipRect(QRect(0, 0, 30, 10));
    painter.save();
    painter.translate(5, 5);
    QPainterPath path;
    path.addRect(0, 0, 10, 10);
    painter.setClipPath(path, Qt::IntersectClip);
    drawAroundRestore(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_EQ(device.ops()[0].clip, QRegion(15, 25, 10, 5));
    EXPECT_EQ(device.ops()[1].clip, QRegion(10, 20, 30, 10));
    EXPECT_EQ(device.ops()[1].transform, QTransform::fromTranslate(10, 20));
}

TEST_F(StyleRecordingDevice, AClipThatShutsEverythingOutIsStillAClip) {
    QPainter painter(&device);
    painter.setClipRect(QRect(0, 0, 10, 10));
    painter.setClipRect(QRect(50, 50, 10, 10), Qt::IntersectClip);
    drawAndNote(painter);
    endAndCompare(painter);
    ASSERT_EQ(device.ops().size(), 1);
    EXPECT_TRUE(device.ops()[0].clipEnabled);
    EXPECT_TRUE(device.ops()[0].clip.isEmpty());
}

TEST_F(StyleRecordingDevice, ANewPainterStartsWithoutTheOldClip) {
    {
        QPainter painter(&device);
        painter.setClipRect(QRect(0, 0, 10, 10));
        drawAndNote(painter);
    }
    {
        QPainter painter(&device);
        drawAndNote(painter);
    }
    expectRecordedAsSeen();
    EXPECT_EQ(device.beginCount(), 2);
}

} // namespace
