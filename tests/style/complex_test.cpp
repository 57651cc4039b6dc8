// Sliders and group boxes: what is drawn where, and the sub-control geometry behind it.

#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QFontMetrics>
#include <QStyleOption>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using style2::Host;

// ---------------------------------------------------------------- slider

class Style2Slider : public ::testing::Test {
protected:
    Style2Slider() {
        host.base()->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove, QRect(0, 3, 200, 20));
        host.base()->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle, QRect(40, 2, 20, 20));
        option.rect = QRect(0, 0, 200, 30);
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        option.state = QStyle::State_Enabled;
        widget.resize(200, 30);
    }

    void paint(QPaintDevice* device, const QWidget* w) {
        QPainter painter(device);
        host.style().drawComplexControl(QStyle::CC_Slider, &option, &painter, w);
    }

    Host host;
    QStyleOptionSlider option;
    QWidget widget;
};

TEST_F(Style2Slider, HandleIsResizedFromItsCorner) {
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle),
              QRect(40, 2, 13, 27));
}

TEST_F(Style2Slider, GrooveTakesRowsNineToSeventeen) {
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove),
              QRect(0, 9, 200, 9));
    // Rows of the widget: an option rectangle further down does not move them.
    host.base()->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove, QRect(10, 40, 100, 20));
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove),
              QRect(10, 9, 100, 9));
}

TEST_F(Style2Slider, OtherSubControlsAreTheBaseRect) {
    host.base()->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderTickmarks, QRect(1, 2, 3, 4));
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderTickmarks),
              QRect(1, 2, 3, 4));
}

TEST_F(Style2Slider, BarIsStretchedIntoTheGrooveAndThumbDrawnAtItsSize) {
    RecordingPaintDevice device(200, 30);
    paint(&device, &widget);
    const QVector<PaintOp> pixmaps = device.ofKind(PaintOp::Pixmap);
    ASSERT_EQ(pixmaps.size(), 2);
    EXPECT_EQ(pixmaps[0].rect, QRectF(5, 9, 190, style2::barHeight));
    EXPECT_EQ(pixmaps[0].image.pixelColor(0, 0), style2::barColor());
    EXPECT_EQ(pixmaps[1].rect, QRectF(40, 2, style2::thumbWidth, style2::thumbHeight));
    EXPECT_EQ(pixmaps[1].image.pixelColor(0, 0), style2::thumbColor());
    EXPECT_EQ(device.count(PaintOp::Path), 0) << "no hover capsule without the mouse over it";
}

TEST_F(Style2Slider, PixelsOfBarAndThumb) {
    QImage image = style2::blankImage(200, 30);
    paint(&image, &widget);
    EXPECT_EQ(image.pixelColor(5, 9), style2::barColor());
    EXPECT_EQ(image.pixelColor(194, 13), style2::barColor());
    EXPECT_EQ(image.pixelColor(4, 10), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(195, 10), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(100, 14), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(40, 2), style2::thumbColor());
    EXPECT_EQ(image.pixelColor(50, 20), style2::thumbColor());
    EXPECT_EQ(image.pixelColor(51, 20), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(40, 21), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(51, 10), style2::barColor()) << "the bar runs on beside the thumb";
}

TEST_F(Style2Slider, HoverCapsuleBehindTheImagesUnderTheMouse) {
    option.state |= QStyle::State_MouseOver;
    RecordingPaintDevice device(200, 30);
    paint(&device, &widget);
    ASSERT_GE(device.ops().size(), 3);
    const PaintOp& capsule = device.ops().first();
    ASSERT_EQ(capsule.kind, PaintOp::Path);
    EXPECT_EQ(capsule.rect, QRectF(0, 4, 200, 22));
    EXPECT_EQ(capsule.brush.color(), QColor(191, 215, 191));
    EXPECT_EQ(device.count(PaintOp::Pixmap), 2);
}

TEST_F(Style2Slider, NoCapsuleWhenDisabledOrWithoutWidget) {
    option.state = QStyle::State_MouseOver;
    RecordingPaintDevice disabled(200, 30);
    paint(&disabled, &widget);
    EXPECT_EQ(disabled.count(PaintOp::Path), 0);

    option.state = QStyle::State_Enabled | QStyle::State_MouseOver;
    RecordingPaintDevice noWidget(200, 30);
    paint(&noWidget, nullptr);
    EXPECT_EQ(noWidget.count(PaintOp::Path), 0);
    EXPECT_EQ(noWidget.count(PaintOp::Pixmap), 2);
}

TEST_F(Style2Slider, OnlyTheAskedSubControlsAreDrawn) {
    option.subControls = QStyle::SC_SliderHandle;
    RecordingPaintDevice device(200, 30);
    paint(&device, &widget);
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect.topLeft(), QPointF(40, 2));
}

TEST_F(Style2Slider, InvalidRectanglesSkipTheirImage) {
    host.base()->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove, QRect());
    RecordingPaintDevice device(200, 30);
    paint(&device, &widget);
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), style2::thumbColor());
}

TEST_F(Style2Slider, MissingImagesArePlaceholders) {
    host.images()->remove("slider_bar");
    host.images()->remove("slider_thumb_on");
    RecordingPaintDevice device(200, 30);
    paint(&device, &widget);
    const QVector<PaintOp> pixmaps = device.ofKind(PaintOp::Pixmap);
    ASSERT_EQ(pixmaps.size(), 2);
    EXPECT_EQ(pixmaps[0].rect, QRectF(5, 9, 190, 10));
    EXPECT_EQ(pixmaps[1].rect, QRectF(40, 2, 10, 10));
}

TEST_F(Style2Slider, WrongOptionDrawsNothing) {
    QStyleOptionComplex complex;
    RecordingPaintDevice device(200, 30);
    {
        QPainter painter(&device);
        host.style().drawComplexControl(QStyle::CC_Slider, &complex, &painter, &widget);
        option.version = 0;
        host.style().drawComplexControl(QStyle::CC_Slider, &option, &painter, &widget);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.base()->count(StyleCall::DrawComplexControl), 0);
    // The slider's own geometry applies to slider options only.
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_Slider, &complex, QStyle::SC_SliderHandle),
              QRect(40, 2, 20, 20));
}

// ---------------------------------------------------------------- group box

// A font and a text whose advance is exactly `width` pixels.
bool textOfWidth(int width, QFont& font, QString& text) {
    for (int size = 6; size <= 40; ++size) {
        QFont candidate;
        candidate.setPixelSize(size);
        const QFontMetrics metrics(candidate);
        for (QChar c : {QChar('M'), QChar('x'), QChar('0'), QChar('i'), QChar('W')}) {
            for (int n = 1; n <= 40; ++n) {
                const QString t(n, c);
                if (metrics.horizontalAdvance(t) == width) {
                    font = candidate;
                    text = t;
                    return true;
                }
            }
        }
    }
    return false;
}

class Style2GroupBox : public ::testing::Test {
protected:
    Style2GroupBox() {
        // Text pixels are counted: the size is set, as the toolkits' default fonts differ.
        font.setPixelSize(17);
        host.base()->setSubControlRect(QStyle::CC_GroupBox, QStyle::SC_GroupBoxFrame, QRect(0, 0, 200, 100));
        host.base()->setSubControlRect(QStyle::CC_GroupBox, QStyle::SC_GroupBoxCheckBox, QRect(2, 3, 13, 13));
        option.rect = QRect(0, 0, 200, 100);
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        option.state = QStyle::State_Enabled;
        option.text = QStringLiteral("Settings");
        option.fontMetrics = QFontMetrics(font);
    }

    void paint(RecordingPaintDevice& device) {
        QPainter painter(&device);
        painter.setFont(font);
        host.style().drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    }

    QRect label() {
        return host.style().subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel);
    }

    Host host;
    QFont font;
    QStyleOptionGroupBox option;
};

TEST_F(Style2GroupBox, LabelOfASixtyPixelTitle) {
    QString text;
    ASSERT_TRUE(textOfWidth(60, font, text)) << "no font here gives a 60-pixel text";
    option.text = text;
    option.fontMetrics = QFontMetrics(font);
    EXPECT_EQ(label(), QRect(5, 0, 70, 30));

    option.subControls = QStyle::SC_GroupBoxLabel;
    RecordingPaintDevice device(200, 100);
    paint(device);
    const QVector<PaintOp> drawn = device.ofKind(PaintOp::Text);
    const QVector<PaintOp> expected = RecordingPaintDevice::layoutText(
        QRect(5, -4, 70, 30), Qt::AlignHCenter | Qt::AlignVCenter, text, font, QSize(200, 100));
    ASSERT_EQ(drawn.size(), expected.size());
    ASSERT_FALSE(drawn.isEmpty());
    for (int i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].point, expected[i].point);
        EXPECT_EQ(drawn[i].text, expected[i].text);
        EXPECT_EQ(drawn[i].pen.color(), QColor(0, 0, 0));
    }
}

TEST_F(Style2GroupBox, LabelStartsAtTheOptionLeftAndRowZero) {
    option.rect = QRect(17, 40, 200, 100);
    const int advance = QFontMetrics(font).horizontalAdvance(option.text);
    EXPECT_EQ(label(), QRect(22, 0, advance + 10, 30));
}

TEST_F(Style2GroupBox, FrameIsClippedAroundTheTitle) {
    RecordingPaintDevice device(200, 100);
    paint(device);
    const PaintOp* frame = device.first(PaintOp::Rect);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->rect, QRectF(0, 5, 199, 94)) << "frame top moved down by 5";
    ASSERT_TRUE(frame->clipEnabled);
    const QRect title = QRect(2, 3, 13, 13).united(label());
    EXPECT_EQ(frame->clip, QRegion(0, 0, 200, 100) - QRegion(title));
}

TEST_F(Style2GroupBox, TitleIsDrawnAfterTheFramesClipIsGone) {
    RecordingPaintDevice device(200, 100);
    paint(device);
    const QVector<PaintOp> title = device.ofKind(PaintOp::Text);
    ASSERT_FALSE(title.isEmpty());
    for (const PaintOp& op : title)
        EXPECT_FALSE(op.clipEnabled) << "the frame's clip ends with its saved painter state";
}

TEST_F(Style2GroupBox, TitleIsBlackAndNotClippedAway) {
    QImage image = style2::blankImage(200, 100);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor(1, 2, 3));
        host.style().drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    }
    int black = 0;
    const QRect title = label().translated(0, -4) & image.rect();
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            black += image.pixelColor(x, y) == QColor(0, 0, 0);
    EXPECT_GT(black, 10) << "the title shows inside the area the frame's clip left out";
}

TEST_F(Style2GroupBox, CheckableTitleIsWidenedTowardsTheCheckBox) {
    option.subControls |= QStyle::SC_GroupBoxCheckBox;
    RecordingPaintDevice ltr(200, 100);
    paint(ltr);
    QRect title = QRect(2, 3, 13, 13).united(label());
    ASSERT_NE(ltr.first(PaintOp::Rect), nullptr);
    EXPECT_EQ(ltr.first(PaintOp::Rect)->clip, QRegion(0, 0, 200, 100) - QRegion(title.adjusted(-4, 0, 0, 0)));

    option.direction = Qt::RightToLeft;
    RecordingPaintDevice rtl(200, 100);
    paint(rtl);
    ASSERT_NE(rtl.first(PaintOp::Rect), nullptr);
    EXPECT_EQ(rtl.first(PaintOp::Rect)->clip, QRegion(0, 0, 200, 100) - QRegion(title.adjusted(0, 0, 4, 0)));
}

TEST_F(Style2GroupBox, RightToLeftWithoutCheckBoxIsNotWidened) {
    option.direction = Qt::RightToLeft;
    RecordingPaintDevice device(200, 100);
    paint(device);
    const QRect title = QRect(2, 3, 13, 13).united(label());
    ASSERT_NE(device.first(PaintOp::Rect), nullptr);
    EXPECT_EQ(device.first(PaintOp::Rect)->clip, QRegion(0, 0, 200, 100) - QRegion(title));
}

TEST_F(Style2GroupBox, EmptyTitleSetsNoClipAndKeepsTheFrameTop) {
    option.text.clear();
    RecordingPaintDevice device(200, 100);
    paint(device);
    const PaintOp* frame = device.first(PaintOp::Rect);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->rect, QRectF(0, 0, 199, 99));
    EXPECT_FALSE(frame->clipEnabled);
    EXPECT_EQ(device.count(PaintOp::Text), 0);
}

TEST_F(Style2GroupBox, FramePixelsStopAtTheTitle) {
    QImage image = style2::blankImage(200, 100);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(QColor(1, 2, 3));
        option.subControls = QStyle::SC_GroupBoxFrame;
        host.style().drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    }
    const QRect title = QRect(2, 3, 13, 13).united(label());
    EXPECT_EQ(image.pixelColor(title.right() + 1, 5), QColor(1, 2, 3)) << "top edge right of the title";
    EXPECT_EQ(image.pixelColor(title.center().x(), 5), QColor(0xfe, 0xfe, 0xfe)) << "no edge under the title";
    EXPECT_EQ(image.pixelColor(0, 50), QColor(1, 2, 3));
    EXPECT_EQ(image.pixelColor(199, 50), QColor(1, 2, 3));
    EXPECT_EQ(image.pixelColor(100, 99), QColor(1, 2, 3));
}

TEST_F(Style2GroupBox, WrongOptionDrawsNothingAndHasNoGeometry) {
    QStyleOptionComplex complex;
    RecordingPaintDevice device(200, 100);
    {
        QPainter painter(&device);
        host.style().drawComplexControl(QStyle::CC_GroupBox, &complex, &painter, nullptr);
        option.version = 0;
        host.style().drawComplexControl(QStyle::CC_GroupBox, &option, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_GroupBox, &complex, QStyle::SC_GroupBoxLabel), QRect());
    EXPECT_EQ(host.style().subControlRect(QStyle::CC_GroupBox, &complex, QStyle::SC_GroupBoxFrame), QRect());
}

TEST(Style2ComplexControls, MissingOptionOrPainterPaintsNothing) {
    Host host;
    QStyleOptionComboBox combo;
    RecordingPaintDevice device(100, 30);
    {
        QPainter painter(&device);
        host.style().drawComplexControl(QStyle::CC_ComboBox, nullptr, &painter, nullptr);
        host.style().drawComplexControl(QStyle::CC_Slider, nullptr, &painter, nullptr);
    }
    host.style().drawComplexControl(QStyle::CC_ComboBox, &combo, nullptr, nullptr);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_TRUE(host.base()->calls().isEmpty());
}

TEST(Style2ComplexControls, OtherControlsGoToTheBase) {
    Host host;
    QStyleOptionComboBox combo;
    RecordingPaintDevice device(100, 30);
    QPainter painter(&device);
    host.style().drawComplexControl(QStyle::CC_ComboBox, &combo, &painter, nullptr);
    ASSERT_EQ(host.base()->count(StyleCall::DrawComplexControl, QStyle::CC_ComboBox), 1);
    EXPECT_EQ(host.base()->last(StyleCall::DrawComplexControl)->painter, &painter);
}

} // namespace
