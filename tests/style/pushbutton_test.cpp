// Push buttons: raised bevel, face fills, the shifted label, icon placement and the focus frame.

#include "style2host.h"
#include "support/recordingpaintdevice.h"

#include <QIcon>
#include <QStyleOption>
#include <gtest/gtest.h>

namespace {

using style2::Host;

const QColor normalOff(0xa0, 0x10, 0x10);
const QColor activeOff(0x10, 0xa0, 0x10);
const QColor disabledOff(0x10, 0x10, 0xa0);
const QColor normalOn(0xa0, 0xa0, 0x10);

class Style2PushButton : public ::testing::Test {
protected:
    Style2PushButton() {
        host.base()->setPixelMetric(QStyle::PM_ButtonShiftHorizontal, 3);
        host.base()->setPixelMetric(QStyle::PM_ButtonShiftVertical, 2);
        option.rect = QRect(0, 0, 100, 30);
        option.state = QStyle::State_Enabled;
        option.text = QStringLiteral("OK");
        option.iconSize = QSize(16, 16);
        icon.addPixmap(style2::filledPixmap(16, 16, normalOff), QIcon::Normal, QIcon::Off);
        icon.addPixmap(style2::filledPixmap(16, 16, activeOff), QIcon::Active, QIcon::Off);
        icon.addPixmap(style2::filledPixmap(16, 16, disabledOff), QIcon::Disabled, QIcon::Off);
        icon.addPixmap(style2::filledPixmap(16, 16, normalOn), QIcon::Normal, QIcon::On);
    }

    void paint(QStyle::ControlElement element = QStyle::CE_PushButton) {
        device.clear();
        host.base()->clear();
        QPainter painter(&device);
        host.style().drawControl(element, &option, &painter, nullptr);
    }

    // The label's text call as the base style received it.
    const StyleCall* text() { return host.base()->last(StyleCall::DrawItemText); }

    Host host;
    QStyleOptionButton option;
    QIcon icon;
    RecordingPaintDevice device{100, 30};
};

TEST_F(Style2PushButton, PressedButtonHasARaisedBevelAndSelectedFace) {
    option.state |= QStyle::State_Sunken | QStyle::State_On;
    paint();
    ASSERT_EQ(host.base()->count(StyleCall::DrawControl, QStyle::CE_PushButtonBevel), 1);
    const auto* bevel = host.base()->last(StyleCall::DrawControl)->optionAs<QStyleOptionButton>();
    ASSERT_NE(bevel, nullptr);
    EXPECT_FALSE(bevel->state & QStyle::State_Sunken);
    EXPECT_FALSE(bevel->state & QStyle::State_On);
    EXPECT_TRUE(bevel->state & QStyle::State_Enabled);
    EXPECT_EQ(bevel->rect, option.rect);

    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    EXPECT_EQ(device.first(PaintOp::Rect)->rect, QRectF(1, 1, 98, 28));
    EXPECT_EQ(device.first(PaintOp::Rect)->brush.color(), style2::buttonSelected());
}

TEST_F(Style2PushButton, PressedLabelIsShiftedByTheButtonShiftMetrics) {
    option.state |= QStyle::State_Sunken;
    paint();
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(4, 3, 98, 28));
    EXPECT_EQ(text()->flags, 0x884);
    EXPECT_EQ(text()->text, QStringLiteral("OK"));
    EXPECT_EQ(text()->role, QPalette::ButtonText);
    EXPECT_TRUE(text()->enabled);
}

TEST_F(Style2PushButton, RaisedButtonLabelUsesTheWholeRectangleLessOne) {
    paint();
    EXPECT_EQ(device.count(PaintOp::Rect), 0) << "no face fill: the bevel shows through";
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(1, 1, 98, 28));
    EXPECT_EQ(text()->flags, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextShowMnemonic);
}

TEST_F(Style2PushButton, FlatFaces) {
    option.features = QStyleOptionButton::Flat;
    paint(QStyle::CE_PushButtonLabel);
    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    EXPECT_EQ(device.first(PaintOp::Rect)->brush.color(), style2::buttonRaised());

    option.state = QStyle::State_None;
    paint(QStyle::CE_PushButtonLabel);
    ASSERT_EQ(device.count(PaintOp::Rect), 1);
    EXPECT_EQ(device.first(PaintOp::Rect)->brush.color(), QColor(190, 190, 190));
    ASSERT_NE(text(), nullptr);
    EXPECT_FALSE(text()->enabled);
}

TEST_F(Style2PushButton, FacePixelsLieOnePixelInside) {
    option.state |= QStyle::State_On;
    QImage image = style2::blankImage(100, 30);
    {
        QPainter painter(&image);
        host.style().drawControl(QStyle::CE_PushButtonLabel, &option, &painter, nullptr);
    }
    EXPECT_EQ(image.pixelColor(1, 1), style2::buttonSelected());
    EXPECT_EQ(image.pixelColor(98, 28), style2::buttonSelected());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0xfe, 0xfe, 0xfe));
    EXPECT_EQ(image.pixelColor(99, 29), QColor(0xfe, 0xfe, 0xfe));
}

TEST_F(Style2PushButton, IconWithoutTextIsCentredInTheFace) {
    option.text.clear();
    option.icon = icon;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(42, 7, 16, 16));
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), normalOff);
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(21, 1, 78, 28));
    EXPECT_EQ(text()->flags, Qt::AlignVCenter | Qt::TextShowMnemonic);
}

TEST_F(Style2PushButton, IconWithTextSitsLeftAndTextFollowsIt) {
    option.icon = icon;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(3, 7, 16, 16));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(21, 1, 78, 28));
    EXPECT_EQ(text()->flags, 0x881);
}

TEST_F(Style2PushButton, RightToLeftIconPlacement) {
    option.direction = Qt::RightToLeft;
    option.icon = icon;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(80, 7, 16, 16));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(QPoint(-3, 1), QPoint(74, 28)));
    EXPECT_EQ(text()->flags, 0x881);

    option.text.clear();
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(41, 7, 16, 16));
    EXPECT_EQ(text()->flags, 0x880);
}

TEST_F(Style2PushButton, PressedIconMovesWithTheShift) {
    option.icon = icon;
    option.state |= QStyle::State_Sunken;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(6, 9, 16, 16));

    option.direction = Qt::RightToLeft;
    paint();
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->rect, QRectF(83, 9, 16, 16));
    ASSERT_NE(text(), nullptr);
    EXPECT_EQ(text()->rect, QRect(QPoint(0, 3), QPoint(77, 30)));
}

TEST_F(Style2PushButton, IconModeFollowsTheState) {
    option.icon = icon;
    option.state = QStyle::State_None;
    paint();
    ASSERT_NE(device.first(PaintOp::Pixmap), nullptr);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), disabledOff);

    option.state = QStyle::State_Enabled | QStyle::State_HasFocus;
    paint(QStyle::CE_PushButtonLabel);
    ASSERT_NE(device.first(PaintOp::Pixmap), nullptr);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), activeOff);

    option.state = QStyle::State_Enabled | QStyle::State_On;
    paint(QStyle::CE_PushButtonLabel);
    ASSERT_NE(device.first(PaintOp::Pixmap), nullptr);
    EXPECT_EQ(device.first(PaintOp::Pixmap)->image.pixelColor(0, 0), normalOn);
}

TEST_F(Style2PushButton, FocusFrameInTheFocusRectangle) {
    host.base()->setSubElementRect(QStyle::SE_PushButtonFocusRect, QRect(5, 5, 90, 20));
    paint();
    EXPECT_EQ(host.base()->count(StyleCall::DrawPrimitive, QStyle::PE_FrameFocusRect), 0);

    option.state |= QStyle::State_HasFocus;
    paint();
    ASSERT_EQ(host.base()->count(StyleCall::DrawPrimitive, QStyle::PE_FrameFocusRect), 1);
    const StyleCall* focus = host.base()->last(StyleCall::DrawPrimitive, QStyle::PE_FrameFocusRect);
    const auto* focusOption = focus->optionAs<QStyleOptionFocusRect>();
    ASSERT_NE(focusOption, nullptr);
    EXPECT_EQ(focusOption->rect, QRect(5, 5, 90, 20));
    EXPECT_TRUE(focusOption->state & QStyle::State_HasFocus);
}

TEST_F(Style2PushButton, NullOptionNeverReachesTheBase) {
    {
        QPainter painter(&device);
        host.style().drawControl(QStyle::CE_PushButton, nullptr, &painter, nullptr);
        host.style().drawControl(QStyle::CE_PushButtonBevel, nullptr, &painter, nullptr);
        host.style().drawControl(QStyle::CE_PushButtonLabel, nullptr, &painter, nullptr);
    }
    EXPECT_TRUE(device.isEmpty());
    EXPECT_TRUE(host.base()->calls().isEmpty());
}

} // namespace
