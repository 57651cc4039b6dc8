// Tool bars: a vertical gradient from painter row 0 and a dark line one row above the bottom.

#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QLinearGradient>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

using style2::Host;

class Style2ToolBar : public ::testing::Test {
protected:
    Style2ToolBar() { option.rect = QRect(0, 0, 200, 30); }

    template <class Device> void paint(Device* device) {
        QPainter painter(device);
        host.style().drawControl(QStyle::CE_ToolBar, &option, &painter, nullptr);
    }

    // The colour between a and b at t (0..1), as the gradient interpolates it.
    static QColor between(const QColor& a, const QColor& b, double t) {
        return QColor(qRound(a.red() + (b.red() - a.red()) * t),
                      qRound(a.green() + (b.green() - a.green()) * t),
                      qRound(a.blue() + (b.blue() - a.blue()) * t));
    }
    static bool near(const QColor& a, const QColor& b, int tolerance = 8) {
        return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
               qAbs(a.blue() - b.blue()) <= tolerance;
    }

    Host host;
    QStyleOptionToolBar option;
};

TEST_F(Style2ToolBar, GradientAndLineAsDrawn) {
    RecordingPaintDevice device(200, 30);
    paint(&device);
    ASSERT_EQ(device.ops().size(), 2);

    const PaintOp& fill = device.ops()[0];
    ASSERT_EQ(fill.kind, PaintOp::Rect);
    EXPECT_EQ(fill.rect, QRectF(0, 0, 200, 30));
    ASSERT_EQ(fill.brush.style(), Qt::LinearGradientPattern);
    const auto* gradient = static_cast<const QLinearGradient*>(fill.brush.gradient());
    EXPECT_EQ(gradient->start(), QPointF(0, 0));
    EXPECT_EQ(gradient->finalStop(), QPointF(0, 29));
    const QGradientStops stops = gradient->stops();
    ASSERT_EQ(stops.size(), 4);
    EXPECT_EQ(stops[0], QGradientStop(0.0, style2::lighter1()));
    EXPECT_EQ(stops[1], QGradientStop(0.6, style2::gui()));
    EXPECT_EQ(stops[2], QGradientStop(0.85, style2::gui()));
    EXPECT_EQ(stops[3], QGradientStop(1.0, style2::lighter1()));

    const PaintOp& line = device.ops()[1];
    ASSERT_EQ(line.kind, PaintOp::Line);
    EXPECT_EQ(line.line, QLineF(0, 28, 199, 28));
    EXPECT_EQ(line.pen.color(), style2::darker2());
    EXPECT_EQ(line.pen.widthF(), 1.0);
    EXPECT_EQ(line.pen.style(), Qt::SolidLine);
    EXPECT_EQ(line.pen.capStyle(), Qt::SquareCap);
    EXPECT_EQ(line.pen.joinStyle(), Qt::BevelJoin);
}

TEST_F(Style2ToolBar, Pixels) {
    QImage image = style2::blankImage(200, 30);
    paint(&image);
    for (int x = 0; x < 200; ++x)
        ASSERT_EQ(image.pixelColor(x, 28), style2::darker2()) << "x = " << x;
    for (int x = 0; x < 200; x += 33)
        EXPECT_TRUE(near(image.pixelColor(x, 29), style2::lighter1()))
            << "row 29 is the end colour, x = " << x;
    EXPECT_TRUE(near(image.pixelColor(100, 0), style2::lighter1()));
    EXPECT_TRUE(near(image.pixelColor(100, 20), style2::gui())) << "between the stops 0.6 and 0.85";
    EXPECT_TRUE(near(image.pixelColor(100, 9), between(style2::lighter1(), style2::gui(), 9.5 / (0.6 * 29))))
        << "half way to the first stop";
}

TEST_F(Style2ToolBar, GradientStartsAtPainterRowZeroWhateverTheTop) {
    option.rect = QRect(0, 40, 200, 30);
    RecordingPaintDevice device(200, 100);
    paint(&device);
    ASSERT_EQ(device.ops().size(), 2);
    const auto* gradient = static_cast<const QLinearGradient*>(device.ops()[0].brush.gradient());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->start(), QPointF(0, 0));
    EXPECT_EQ(gradient->finalStop(), QPointF(0, 29));
    EXPECT_EQ(device.ops()[1].line, QLineF(0, 68, 199, 68));
}

TEST(Style2ToolBarWithoutLook, ColoursStayInvalid) {
    Host bare(false);
    bare.context().withdraw("IGuiLook");
    MelvoroStyle style;
    QStyleOptionToolBar option;
    option.rect = QRect(0, 0, 200, 30);
    ASSERT_EQ(style.look(), nullptr);
    RecordingPaintDevice device(200, 30);
    {
        QPainter painter(&device);
        style.drawControl(QStyle::CE_ToolBar, &option, &painter, nullptr);
    }
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_FALSE(device.ops()[1].pen.color().isValid());
}

TEST_F(Style2ToolBar, OtherOptionPaintsNothing) {
    QStyleOption plain;
    plain.rect = option.rect;
    RecordingPaintDevice device(200, 30);
    {
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_ToolBar, &plain, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.base()->paintingCalls(), 0);
}

} // namespace
