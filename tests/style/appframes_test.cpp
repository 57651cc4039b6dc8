// Application mode frames group boxes in the dark look line on their outermost pixels: every edge present
// once at every device pixel ratio, giving way to the title and the check box, only the top edge for a
// flat box.

#include "style2host.h"

#include "support/edgeruns.h"
#include <QStyleOption>

#include <gtest/gtest.h>

namespace {

using namespace style2;

class AppGroupBoxFrame : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionGroupBox box(bool flat, bool checkable) {
        QStyleOptionGroupBox o;
        o.rect = QRect(0, 0, 200, 100);
        o.state = QStyle::State_Enabled;
        o.palette = distinctPalette();
        o.text = QStringLiteral("Options");
        o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (checkable)
            o.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (flat)
            o.features = QStyleOptionFrame::Flat;
        return o;
    }
    QImage paint(const QStyleOptionGroupBox& o, qreal ratio) {
        QImage image(o.rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        style.drawComplexControl(QStyle::CC_GroupBox, &o, &painter);
        return image;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
};

TEST_F(AppGroupBoxFrame, EdgesArePresentOnceAndGiveWayToTheTitle) {
    for (bool flat : {false, true}) {
        for (bool checkable : {false, true}) {
            const QStyleOptionGroupBox o = box(flat, checkable);
            const QRect frame = style.subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxFrame);
            QRect title = style.subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel);
            if (checkable)
                title |= style.subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxCheckBox);
            ASSERT_TRUE(title.intersects(QRect(frame.left(), frame.top(), frame.width(), 1)));
            for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
                SCOPED_TRACE(testing::Message() << "flat " << flat << " checkable " << checkable);
                const QImage image = paint(o, ratio);
                auto at = [ratio](int logical) { return int((logical + 0.5) * ratio); };
                const int right = at(frame.right() - 20), middle = at(frame.center().y() + 10);
                // Down beside the title: the top edge, and the bottom one unless the box is flat.
                velExpectLogicalPixelEdges(
                    velEdgeRuns(image, QPoint(right, 0), QPoint(0, 1), image.height(), darker2()),
                    flat ? 1 : 2, ratio);
                // Across the middle: the left and right edges, none when flat.
                velExpectLogicalPixelEdges(
                    velEdgeRuns(image, QPoint(0, middle), QPoint(1, 0), image.width(), darker2()),
                    flat ? 0 : 2, ratio);
                // Along the top edge: broken once, where the title (which may have dark lines of its
                // own, as the check box) is.
                const int top = int(frame.top() * ratio + ratio / 2);
                const int titleStart = int(title.left() * ratio), titleEnd = int((title.right() + 1) * ratio);
                const QList<int> before =
                    velEdgeRuns(image, QPoint(0, top), QPoint(1, 0), titleStart, darker2());
                const QList<int> after = velEdgeRuns(image, QPoint(titleEnd, top), QPoint(1, 0),
                                                     image.width() - titleEnd, darker2());
                EXPECT_EQ(before.size(), title.left() - 4 > frame.left() ? 1 : 0);
                EXPECT_EQ(after.size(), 1);
                const QRect label = style.subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel);
                EXPECT_NE(QColor(image.pixel(at(label.center().x()), top)), darker2());
                EXPECT_NE(QColor(image.pixel(at(title.center().x()), top)), darker2());
            }
        }
    }
}

} // namespace
