// Primitive painting: group box, menu and tab widget frames, check box and radio button indicators.

#include "host/images/styleimages.h"
#include "style/melvorostyle.h"
#include "style/optioncheck.h"
#include "style/support/recordingpaintdevice.h"
#include "style/support/recordingstyle.h"
#include "style/support/stylehost.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <cstring>

namespace {

QRgb centreOf(const char* name) {
    for (const VelStyleImage& image : velStyleImages)
        if (std::strcmp(image.name, name) == 0)
            return image.centre;
    return 0;
}

QRgb centrePixel(const QImage& image) {
    return image.pixel(image.width() / 2, image.height() / 2);
}

class Style1Primitives : public ::testing::Test {
protected:
    void draw(QStyle::PrimitiveElement element, const QStyleOption* option, const QWidget* widget = nullptr) {
        QPainter painter(&device);
        painter.setPen(QPen(Qt::red, 3));
        painter.setBrush(Qt::blue);
        style.drawPrimitive(element, option, &painter, widget);
        penAfter = painter.pen();
        brushAfter = painter.brush();
        antialiasedAfter = painter.testRenderHint(QPainter::Antialiasing);
    }

    StyleTestHost host;
    RecordingStyle* base = new RecordingStyle;
    MelvoroStyle style{base};
    RecordingPaintDevice device{200, 100};
    QPen penAfter;
    QBrush brushAfter;
    bool antialiasedAfter = false;
};

// ---------------------------------------------------------------------------------------------------
// Frames.

TEST_F(Style1Primitives, GroupBoxFrameIsOnePixelInsideAtRightAndBottom) {
    QStyleOptionFrame option;
    option.rect = QRect(0, 0, 100, 50);
    draw(QStyle::PE_FrameGroupBox, &option);
    ASSERT_EQ(device.ops().size(), 1);
    const PaintOp& op = device.ops()[0];
    EXPECT_EQ(op.kind, PaintOp::Rect);
    EXPECT_EQ(op.rect, QRectF(0, 0, 99, 49));
    // Drawn with whatever pen and brush the painter has.
    EXPECT_EQ(op.pen.color(), QColor(Qt::red));
    EXPECT_EQ(op.brush.color(), QColor(Qt::blue));
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Primitives, GroupBoxFrameNeedsAFrameOptionWithFeatures) {
    // The frame option before `features` came (Qt 5's first; Qt 6 has none before its first).
    QStyleOptionFrame older;
    older.version = velFrameFeaturesVersion - 1;
    older.rect = QRect(0, 0, 100, 50);
    draw(QStyle::PE_FrameGroupBox, &older);
    QStyleOption plain;
    plain.rect = QRect(0, 0, 100, 50);
    draw(QStyle::PE_FrameGroupBox, &plain);
    QStyleOptionButton button;
    draw(QStyle::PE_FrameGroupBox, &button);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Primitives, GroupBoxFrameTakesEveryFrameOptionWithFeatures) {
    ASSERT_LE(velFrameFeaturesVersion, int(QStyleOptionFrame::Version));
    for (int version = velFrameFeaturesVersion; version <= QStyleOptionFrame::Version; ++version) {
        QStyleOptionFrame option;
        option.version = version;
        option.rect = QRect(0, 0, 100, 50);
        device.clear();
        draw(QStyle::PE_FrameGroupBox, &option);
        ASSERT_EQ(device.count(PaintOp::Rect), 1) << "version " << version;
        EXPECT_EQ(device.first(PaintOp::Rect)->rect, QRectF(0, 0, 99, 49));
    }
}

// A group box widget, with the options the toolkit builds for it, shows its frame on Qt 5 and Qt 6.
TEST(Style1GroupBoxWidget, FrameIsPaintedInTheTextColour) {
    StyleTestHost host;
    MelvoroStyle style;
    const QColor edge(0x12, 0x34, 0x56);
    for (const QString& title : {QString(), QStringLiteral("Settings")}) {
        QGroupBox box(title);
        box.setStyle(&style);
        QPalette palette = box.palette();
        palette.setColor(QPalette::Window, Qt::white);
        palette.setColor(QPalette::WindowText, edge);
        box.setPalette(palette);
        box.resize(120, 80);
        const QImage image = box.grab().toImage();
        ASSERT_EQ(image.size(), QSize(120, 80));
        EXPECT_EQ(image.pixelColor(0, 60), edge) << "left edge, title '" << qPrintable(title) << "'";
        EXPECT_EQ(image.pixelColor(119, 60), edge) << "right edge, title '" << qPrintable(title) << "'";
        EXPECT_EQ(image.pixelColor(60, 79), edge) << "bottom edge, title '" << qPrintable(title) << "'";
        EXPECT_NE(image.pixelColor(60, 60), edge) << "inside";
    }
}

TEST_F(Style1Primitives, MenuFrameIsBlackTwoPixelsWideForAnyOption) {
    QStyleOption option;
    option.rect = QRect(0, 0, 80, 40);
    draw(QStyle::PE_FrameMenu, &option);
    ASSERT_EQ(device.ops().size(), 1);
    const PaintOp& op = device.ops()[0];
    EXPECT_EQ(op.kind, PaintOp::Rect);
    EXPECT_EQ(op.rect, QRectF(0, 0, 80, 40));
    EXPECT_EQ(op.pen.color(), QColor(0, 0, 0, 255));
    EXPECT_EQ(op.pen.widthF(), 2.0);
    // The painter comes back as it was.
    EXPECT_EQ(penAfter, QPen(Qt::red, 3));
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Primitives, MenuFramePixels) {
    QImage image(40, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QStyleOption option;
        option.rect = QRect(5, 5, 20, 10);
        style.drawPrimitive(QStyle::PE_FrameMenu, &option, &painter, nullptr);
    }
    EXPECT_EQ(image.pixel(5, 10), qRgb(0, 0, 0)) << "left edge";
    EXPECT_EQ(image.pixel(4, 10), qRgb(0, 0, 0)) << "a 2-pixel pen straddles the edge";
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 255)) << "inside stays";
}

TEST_F(Style1Primitives, TabWidgetFrameLeavesTheTargetUntouched) {
    QStyleOptionTabWidgetFrame option;
    option.rect = QRect(0, 0, 100, 80);
    draw(QStyle::PE_FrameTabWidget, &option);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Primitives, OtherElementsGoToTheBaseUnchanged) {
    QStyleOptionFocusRect option;
    option.rect = QRect(3, 4, 50, 20);
    option.state = QStyle::State_HasFocus | QStyle::State_Enabled;
    QWidget widget;
    draw(QStyle::PE_FrameFocusRect, &option, &widget);
    ASSERT_EQ(base->count(StyleCall::DrawPrimitive, QStyle::PE_FrameFocusRect), 1);
    const StyleCall* call = base->last(StyleCall::DrawPrimitive);
    ASSERT_NE(call->optionAs<QStyleOptionFocusRect>(), nullptr);
    EXPECT_EQ(call->option->rect, QRect(3, 4, 50, 20));
    EXPECT_EQ(call->option->state, option.state);
    EXPECT_EQ(call->widget, &widget);
}

// ---------------------------------------------------------------------------------------------------
// Check box indicator.

QStyleOptionButton buttonOption(QStyle::State state, const QRect& rect = QRect(2, 3, 13, 13)) {
    QStyleOptionButton option;
    option.rect = rect;
    option.state = state;
    return option;
}

TEST_F(Style1Primitives, CheckBoxUnderTheMouseGetsTheCapsuleBehindTheIndicator) {
    QCheckBox box(QStringLiteral("Check"));
    box.resize(90, 24);
    const QStyleOptionButton option = buttonOption(QStyle::State_Enabled | QStyle::State_MouseOver);
    draw(QStyle::PE_IndicatorCheckBox, &option, &box);

    ASSERT_EQ(device.ops().size(), 1);
    EXPECT_EQ(device.ops()[0].kind, PaintOp::Path);
    EXPECT_EQ(device.ops()[0].path.boundingRect(), QRectF(0, 0, 90, 24));
    EXPECT_EQ(device.ops()[0].brush.color(), QColor(191, 215, 191));

    ASSERT_EQ(base->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorCheckBox), 1);
    const StyleCall* call = base->last(StyleCall::DrawPrimitive);
    EXPECT_EQ(call->option->rect, option.rect);
    EXPECT_EQ(call->option->state, option.state);
    EXPECT_EQ(call->widget, &box);
    // The painter was restored before the indicator was painted over the highlight.
    EXPECT_EQ(call->pen, QPen(Qt::red, 3));
    EXPECT_EQ(call->brush.color(), QColor(Qt::blue));
    EXPECT_FALSE(antialiasedAfter);
}

TEST_F(Style1Primitives, DisabledCheckBoxUnderTheMouseGetsNoHighlight) {
    QCheckBox box;
    const QStyleOptionButton option = buttonOption(QStyle::State_MouseOver);
    draw(QStyle::PE_IndicatorCheckBox, &option, &box);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorCheckBox), 1);
}

TEST_F(Style1Primitives, CheckBoxNotUnderTheMouseOrWithoutWidgetGetsNoHighlight) {
    QCheckBox box;
    const QStyleOptionButton resting = buttonOption(QStyle::State_Enabled);
    draw(QStyle::PE_IndicatorCheckBox, &resting, &box);
    const QStyleOptionButton hovered = buttonOption(QStyle::State_Enabled | QStyle::State_MouseOver);
    draw(QStyle::PE_IndicatorCheckBox, &hovered, nullptr);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->count(StyleCall::DrawPrimitive, QStyle::PE_IndicatorCheckBox), 2);
}

TEST_F(Style1Primitives, IndicatorsWithTheWrongOptionPaintNothingAndReachNoBase) {
    QCheckBox box;
    QStyleOption plain;
    plain.state = QStyle::State_Enabled | QStyle::State_MouseOver;
    draw(QStyle::PE_IndicatorCheckBox, &plain, &box);
    draw(QStyle::PE_IndicatorRadioButton, &plain, &box);
    QStyleOptionButton versionZero = buttonOption(QStyle::State_Enabled | QStyle::State_MouseOver);
    versionZero.version = 0;
    draw(QStyle::PE_IndicatorCheckBox, &versionZero, &box);
    draw(QStyle::PE_IndicatorRadioButton, &versionZero, &box);
    QStyleOptionFrame frame;
    draw(QStyle::PE_IndicatorRadioButton, &frame, &box);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->paintingCalls(), 0);
}

// ---------------------------------------------------------------------------------------------------
// Radio button indicator.

struct RadioCase {
    QStyle::State state;
    const char* image;
};

TEST_F(Style1Primitives, RadioButtonImageFollowsTheState) {
    const RadioCase cases[] = {
        {QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_On, "radiobutton_on2"},
        {QStyle::State_Enabled | QStyle::State_Sunken | QStyle::State_Off, "radiobutton_on2"},
        {QStyle::State_Enabled | QStyle::State_On, "radiobutton_on"},
        {QStyle::State_Enabled | QStyle::State_Off, "radiobutton_off"},
        {QStyle::State_On, "radiobutton_on"},
    };
    for (const RadioCase& c : cases) {
        device.clear();
        const QStyleOptionButton option = buttonOption(c.state, QRect(4, 6, 20, 20));
        draw(QStyle::PE_IndicatorRadioButton, &option, nullptr);
        ASSERT_EQ(device.ops().size(), 1) << c.image;
        const PaintOp& op = device.ops()[0];
        ASSERT_EQ(op.kind, PaintOp::Pixmap) << c.image;
        // At its own size, at the option's top-left corner.
        EXPECT_EQ(op.rect, QRectF(4, 6, 13, 13)) << c.image;
        EXPECT_EQ(centrePixel(op.image), centreOf(c.image)) << c.image;
    }
    EXPECT_EQ(base->paintingCalls(), 0);
}

TEST_F(Style1Primitives, RadioButtonUnderTheMouseGetsTheCapsuleFirst) {
    QRadioButton radio(QStringLiteral("Radio"));
    radio.resize(70, 20);
    const QStyleOptionButton option =
        buttonOption(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_On, QRect(2, 3, 13, 13));
    draw(QStyle::PE_IndicatorRadioButton, &option, &radio);
    ASSERT_EQ(device.ops().size(), 2);
    EXPECT_EQ(device.ops()[0].kind, PaintOp::Path);
    EXPECT_EQ(device.ops()[0].path.boundingRect(), QRectF(0, 0, 70, 20));
    EXPECT_EQ(device.ops()[1].kind, PaintOp::Pixmap);
    EXPECT_EQ(centrePixel(device.ops()[1].image), centreOf("radiobutton_on"));
    // Saved and restored around the whole indicator.
    EXPECT_EQ(penAfter, QPen(Qt::red, 3));
    EXPECT_EQ(brushAfter.color(), QColor(Qt::blue));
    EXPECT_FALSE(antialiasedAfter);
}

TEST_F(Style1Primitives, DisabledRadioButtonUnderTheMouseGetsNoCapsule) {
    QRadioButton radio;
    const QStyleOptionButton option = buttonOption(QStyle::State_MouseOver);
    draw(QStyle::PE_IndicatorRadioButton, &option, &radio);
    ASSERT_EQ(device.ops().size(), 1);
    EXPECT_EQ(device.ops()[0].kind, PaintOp::Pixmap);
}

TEST_F(Style1Primitives, RadioButtonPixels) {
    QImage image(30, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const QStyleOptionButton option =
            buttonOption(QStyle::State_Enabled | QStyle::State_On, QRect(5, 5, 13, 13));
        style.drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, nullptr);
    }
    EXPECT_EQ(image.pixel(11, 11), centreOf("radiobutton_on"));
    EXPECT_EQ(image.pixel(25, 25), qRgb(255, 255, 255));
}

TEST(Style1PrimitivesWithoutImages, RadioButtonDrawsTheTransparentPlaceholder) {
    StyleTestHost host(StyleTestHost::WithoutImages);
    MelvoroStyle style(new RecordingStyle);
    RecordingPaintDevice device;
    {
        QPainter painter(&device);
        QStyleOptionButton option;
        option.rect = QRect(1, 2, 13, 13);
        option.state = QStyle::State_On;
        style.drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, nullptr);
    }
    ASSERT_EQ(device.count(PaintOp::Pixmap), 1);
    const PaintOp* op = device.first(PaintOp::Pixmap);
    EXPECT_EQ(op->rect, QRectF(1, 2, 10, 10));
    ASSERT_EQ(op->image.size(), QSize(10, 10));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(qAlpha(op->image.pixel(x, y)), 0) << x << "," << y;
}

// ---------------------------------------------------------------------------------------------------
// A missing option is a caller error: caught by an assertion where assertions are on, harmless otherwise.

#ifdef QT_NO_DEBUG
TEST_F(Style1Primitives, NullOptionPaintsNothing) {
    QWidget widget;
    for (QStyle::PrimitiveElement element :
         {QStyle::PE_FrameGroupBox, QStyle::PE_FrameMenu, QStyle::PE_IndicatorCheckBox,
          QStyle::PE_IndicatorRadioButton, QStyle::PE_FrameFocusRect})
        draw(element, nullptr, &widget);
    EXPECT_TRUE(device.isEmpty());
    EXPECT_EQ(base->paintingCalls(), 0);
}
#else
TEST_F(Style1Primitives, NullOptionIsCaughtByTheAssertion) {
    EXPECT_DEATH(draw(QStyle::PE_FrameMenu, nullptr), "option");
}
#endif

} // namespace
