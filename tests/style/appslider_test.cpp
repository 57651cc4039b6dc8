// Application mode sliders: the groove and handle pictures come from the image store's variant for the
// device's pixel ratio at their logical size, in both orientations; the hover capsule lies along the
// slider in both orientations.

#include "host/images/styleimages.h"
#include "style/melvorostyle.h"
#include "style2host.h"
#include "support/recordingpaintdevice.h"
#include "support/recordingstyle.h"
#include "support/stylehost.h"

#include <QStyleOption>

#include <gtest/gtest.h>

namespace {

QStyleOptionSlider sliderOption(Qt::Orientation orientation, QStyle::State state = QStyle::State_Enabled) {
    QStyleOptionSlider slider;
    slider.orientation = orientation;
    slider.rect = orientation == Qt::Horizontal ? QRect(0, 0, 200, 30) : QRect(0, 0, 30, 200);
    slider.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    slider.state = state | (orientation == Qt::Horizontal ? QStyle::State_Horizontal : QStyle::State_None);
    slider.maximum = 100;
    slider.palette = style2::distinctPalette();
    return slider;
}

TEST(AppSliderImages, PicturesComeFromTheVariantOfTheRatioAtTheirLogicalSize) {
    StyleTestHost host;
    auto* base = new RecordingStyle;
    MelvoroStyle style(base);
    style.setApplicationMode(true);
    const VelStyleImage& bar = velStyleImages[3];
    const VelStyleImage& thumb = velStyleImages[4];
    ASSERT_STREQ(bar.name, "slider_bar");
    ASSERT_STREQ(thumb.name, "slider_thumb_on");
    const struct {
        qreal ratio;
        int variant;
        bool smooth;
    } cases[] = {{1.0, 1, false}, {1.25, 2, true}, {1.5, 2, true}, {2.0, 2, false}, {3.0, 3, false}};
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        const bool vertical = orientation == Qt::Vertical;
        base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove,
                                vertical ? QRect(3, 0, 20, 200) : QRect(0, 3, 200, 20));
        base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle,
                                vertical ? QRect(2, 40, thumb.height, thumb.width)
                                         : QRect(40, 2, thumb.width, thumb.height));
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << orientation << " at " << c.ratio);
            RecordingPaintDevice device(300, 300);
            {
                QPainter painter(&device);
                painter.scale(c.ratio, c.ratio);
                const QStyleOptionSlider slider = sliderOption(orientation);
                style.drawComplexControl(QStyle::CC_Slider, &slider, &painter);
            }
            const QVector<PaintOp> pixmaps = device.ofKind(PaintOp::Pixmap);
            ASSERT_EQ(pixmaps.size(), 2);
            QSize barSize = QSize(bar.width, bar.height) * c.variant;
            QSize thumbSize = QSize(thumb.width, thumb.height) * c.variant;
            if (vertical) {
                barSize.transpose();
                thumbSize.transpose();
            }
            EXPECT_EQ(pixmaps[0].image.size(), barSize);
            EXPECT_EQ(vertical ? pixmaps[0].rect.width() : pixmaps[0].rect.height(), bar.height)
                << "the groove keeps its logical thickness";
            EXPECT_EQ(pixmaps[1].image.size(), thumbSize);
            EXPECT_EQ(pixmaps[1].hints.testFlag(QPainter::SmoothPixmapTransform), c.smooth);
        }
    }
}

// The bounds of the pixels in the capsule's colour.
QRect capsule(const QImage& image, const QColor& colour) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(AppSliderHover, TheCapsuleLiesAlongTheSliderInBothOrientations) {
    style2::Host host(false);
    MelvoroStyle style;
    style.setApplicationMode(true);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        SCOPED_TRACE(orientation);
        auto paint = [&](QStyle::State state) {
            QImage image = style2::blankImage(orientation == Qt::Horizontal ? 200 : 30,
                                              orientation == Qt::Horizontal ? 30 : 200);
            QPainter painter(&image);
            const QStyleOptionSlider slider = sliderOption(orientation, state);
            style.drawComplexControl(QStyle::CC_Slider, &slider, &painter);
            return image;
        };
        EXPECT_TRUE(capsule(paint(QStyle::State_Enabled), style2::buttonHover()).isEmpty());
        const QRect hovered =
            capsule(paint(QStyle::State_Enabled | QStyle::State_MouseOver), style2::buttonHover());
        ASSERT_FALSE(hovered.isEmpty());
        const int along = orientation == Qt::Horizontal ? hovered.width() : hovered.height();
        const int across = orientation == Qt::Horizontal ? hovered.height() : hovered.width();
        EXPECT_GE(along, 180) << "end to end";
        EXPECT_LE(across, 22) << "inside the slider's breadth";
        EXPECT_GE(across, 18);
        // A disabled slider shows no hover.
        EXPECT_TRUE(capsule(paint(QStyle::State_MouseOver), style2::buttonHover()).isEmpty());
    }
}

} // namespace
