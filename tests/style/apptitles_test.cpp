// Application mode draws the glyphs of sub-window title bar buttons with the pen, in the button text
// colour: each button shows its own glyph at every device pixel ratio, and no picture is drawn for them.

#include "style2host.h"

#include "support/recordingpaintdevice.h"
#include <QStyleOption>

#include <gtest/gtest.h>

namespace {

using namespace style2;

const QColor kGlyphA(0x07, 0x37, 0x07);
const QColor kGlyphB(0x37, 0x07, 0x37);

class AppTitleBarGlyphs : public ::testing::Test {
protected:
    void SetUp() override { style.setApplicationMode(true); }

    static QStyleOptionTitleBar titleBar(Qt::WindowStates windowState, const QColor& glyph) {
        QStyleOptionTitleBar o;
        o.rect = QRect(0, 0, 240, 22);
        o.state = QStyle::State_Enabled | QStyle::State_Active;
        o.palette = distinctPalette();
        o.palette.setColor(QPalette::Button, Qt::white);
        o.palette.setColor(QPalette::ButtonText, glyph);
        o.text = QStringLiteral("Notes");
        o.icon = QIcon(filledPixmap(16, 16, Qt::red));
        o.titleBarFlags = Qt::SubWindow | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowShadeButtonHint | Qt::WindowContextHelpButtonHint;
        o.titleBarState = int(windowState);
        o.subControls = QStyle::SC_All;
        return o;
    }
    QImage paint(const QStyleOptionTitleBar& o, qreal ratio) {
        QImage image(o.rect.size() * ratio, QImage::Format_ARGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        style.drawComplexControl(QStyle::CC_TitleBar, &o, &painter);
        return image;
    }
    // The pixels of the button that change with the glyph colour, as a mask laid from the button's corner.
    static QImage glyphMask(const QImage& a, const QImage& b, const QRect& button, qreal ratio) {
        const QRect device(QPoint(int(button.left() * ratio), int(button.top() * ratio)),
                           button.size() * ratio);
        QImage mask(device.size(), QImage::Format_Mono);
        mask.fill(0);
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                if (a.pixel(device.topLeft() + QPoint(x, y)) != b.pixel(device.topLeft() + QPoint(x, y)))
                    mask.setPixel(x, y, 1);
        return mask;
    }
    static int count(const QImage& mask) {
        int n = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                n += mask.pixelIndex(x, y);
        return n;
    }
    static bool hasColour(const QImage& image, const QColor& colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (QColor(image.pixel(x, y)) == colour)
                    return true;
        return false;
    }

    Host host{false};
    MelvoroStyle style; // over the toolkit's "Windows" style, with the host's look
};

TEST_F(AppTitleBarGlyphs, EachButtonShowsItsOwnGlyphAtEveryRatio) {
    struct Row {
        Qt::WindowStates windowState;
        QList<QStyle::SubControl> buttons;
    };
    const Row rows[] = {
        {Qt::WindowNoState,
         {QStyle::SC_TitleBarCloseButton, QStyle::SC_TitleBarMaxButton, QStyle::SC_TitleBarMinButton,
          QStyle::SC_TitleBarShadeButton, QStyle::SC_TitleBarContextHelpButton}},
        {Qt::WindowMaximized, {QStyle::SC_TitleBarNormalButton}},
        {Qt::WindowMinimized, {QStyle::SC_TitleBarUnshadeButton}},
    };
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        QList<QImage> masks;
        for (const Row& row : rows) {
            const QStyleOptionTitleBar a = titleBar(row.windowState, kGlyphA);
            const QImage imageA = paint(a, ratio), imageB = paint(titleBar(row.windowState, kGlyphB), ratio);
            EXPECT_TRUE(hasColour(imageA, kGlyphA)) << "x" << ratio;
            for (QStyle::SubControl sub : row.buttons) {
                const QRect button = style.subControlRect(QStyle::CC_TitleBar, &a, sub);
                ASSERT_FALSE(button.isEmpty()) << sub;
                const QImage mask = glyphMask(imageA, imageB, button, ratio);
                EXPECT_GE(count(mask), int(6 * ratio)) << "button " << sub << " x" << ratio;
                for (const QImage& other : masks)
                    EXPECT_NE(mask, other) << "button " << sub << " x" << ratio;
                masks.append(mask);
            }
        }
    }
}

TEST_F(AppTitleBarGlyphs, NoPictureIsDrawnButTheWindowIcon) {
    for (Qt::WindowStates windowState :
         {Qt::WindowStates(Qt::WindowNoState), Qt::WindowStates(Qt::WindowMaximized)}) {
        RecordingPaintDevice device(240, 22);
        {
            QPainter painter(&device);
            const QStyleOptionTitleBar o = titleBar(windowState, kGlyphA);
            style.drawComplexControl(QStyle::CC_TitleBar, &o, &painter);
        }
        EXPECT_EQ(device.count(PaintOp::Pixmap) + device.count(PaintOp::Image), 1);
    }
}

} // namespace
