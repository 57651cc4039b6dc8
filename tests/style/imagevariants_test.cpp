// Images at the device's resolution: the store's @2x and @3x variants, the choice of variant by device
// pixel ratio, and radio buttons and sliders drawn from the variant without upscaling.

#include "host/images/styleimages.h"
#include "style/imagevariant.h"
#include "style/melvorostyle.h"
#include "support/recordingpaintdevice.h"
#include "support/recordingstyle.h"
#include "support/stylehost.h"

#include <QStyleOption>
#include <QtMath>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QImage variantFile(const char* name, int scale) {
    // The file's pixels as they are: a reader gives a file named "@2x" a device pixel ratio of 2.
    QImage file(
        QStringLiteral(":/melvoro/images/%1.png").arg(QString::fromLatin1(velImageVariantName(name, scale))));
    file.setDevicePixelRatio(1);
    return file.convertToFormat(QImage::Format_ARGB32);
}

TEST(ImageVariants, NamesAndTheScalesTriedForARatio) {
    EXPECT_EQ(velImageVariantName("slider_bar", 2), QByteArray("slider_bar@2x"));
    EXPECT_EQ(velImageVariantName("slider_bar", 1), QByteArray("slider_bar"));
    EXPECT_TRUE(velIsImageVariantName("slider_bar@3x"));
    EXPECT_FALSE(velIsImageVariantName("slider_bar"));
    EXPECT_FALSE(velIsImageVariantName("@2x"));
    EXPECT_FALSE(velIsImageVariantName(nullptr));

    const struct {
        double ratio;
        QVector<int> scales;
    } cases[] = {
        {1.0, {1}},       {0.5, {1}},       {std::nan(""), {1}}, {1.25, {2, 3, 1}}, {1.5, {2, 3, 1}},
        {2.0, {2, 3, 1}}, {2.5, {3, 2, 1}}, {3.0, {3, 2, 1}},    {4.0, {3, 2, 1}},
    };
    for (const auto& c : cases) {
        int scales[velImageVariantCount + 1];
        const int count = velImageScalesFor(c.ratio, scales);
        EXPECT_EQ(QVector<int>(scales, scales + count), c.scales) << c.ratio;
    }
}

TEST(ImageVariants, TheStoreShipsEveryImageAtTwoAndThreeTimesItsSize) {
    StyleTestHost host;
    EXPECT_EQ(host.images()->size(), velStyleImageCount) << "variants are not counted as images";
    for (const VelStyleImage& shipped : velStyleImages) {
        for (int scale : velImageVariantScales) {
            const QByteArray name = velImageVariantName(shipped.name, scale);
            ImageContainer* image = host.images()->container(name.constData());
            ASSERT_NE(image, nullptr) << name.constData();
            const QPixmap pixmap = CommonAppStyle::stylePixmap(shipped.name, scale);
            EXPECT_EQ(pixmap.devicePixelRatio(), scale) << name.constData();
            EXPECT_EQ(pixmap.size(), QSize(shipped.width, shipped.height) * scale) << name.constData();
            const QImage picture = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(picture.pixel(shipped.width * scale / 2, shipped.height * scale / 2), shipped.centre)
                << name.constData();
            EXPECT_EQ(picture, variantFile(shipped.name, scale)) << name.constData();
        }
    }
}

TEST(ImageVariants, RatioOneAsksTheStoreAsBeforeAndMissingVariantsFallBack) {
    StyleTestHost host;
    const QPixmap one = CommonAppStyle::stylePixmap("radiobutton_on", 1.0);
    EXPECT_EQ(one.size(), QSize(13, 13));
    EXPECT_EQ(one.devicePixelRatio(), 1.0);
    EXPECT_EQ(host.images()->finds("radiobutton_on"), 1);
    EXPECT_EQ(host.images()->finds("radiobutton_on@2x"), 0);

    // A host image without variants is drawn from the image itself at any ratio.
    QPixmap own(6, 4);
    own.fill(QColor(1, 2, 3));
    host.images()->addPixmap("own", own);
    const QPixmap atThree = CommonAppStyle::stylePixmap("own", 3.0);
    EXPECT_EQ(atThree.size(), QSize(6, 4));
    EXPECT_EQ(atThree.devicePixelRatio(), 1.0);
    EXPECT_EQ(host.images()->finds("own"), 1);
    // Only a larger variant: taken at 1.5, as the nearest one above.
    host.images()->addPixmap("own@3x", QPixmap(18, 12));
    EXPECT_EQ(CommonAppStyle::stylePixmap("own", 1.5).devicePixelRatio(), 3.0);
    EXPECT_EQ(CommonAppStyle::stylePixmap("no_such_image", 2.0).size(), QSize(10, 10));
}

// Radio buttons and sliders at each ratio: which variant is drawn, where, and how it is scaled.
class ImagesAtRatio : public ::testing::Test {
protected:
    ImagesAtRatio() : base(new RecordingStyle), style(base) {
        base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove, QRect(0, 3, 200, 20));
        base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle, QRect(40, 2, 20, 20));
    }

    // The ops of painting at ratio r on a recording device (a painter scaled by r).
    QVector<PaintOp> paintRadio(qreal r, QStyle::State state) {
        RecordingPaintDevice device(100, 100);
        {
            QPainter painter(&device);
            painter.scale(r, r);
            QStyleOptionButton button;
            button.rect = QRect(4, 3, 13, 13);
            button.state = QStyle::State_Enabled | state;
            style.drawPrimitive(QStyle::PE_IndicatorRadioButton, &button, &painter);
        }
        return device.ofKind(PaintOp::Pixmap);
    }

    StyleTestHost host;
    RecordingStyle* base; // owned by the style
    MelvoroStyle style;
};

const struct {
    qreal ratio;
    int variant;
    bool smooth;
} ratioCases[] = {{1.25, 2, true}, {1.5, 2, true}, {2.0, 2, false}, {3.0, 3, false}};

TEST_F(ImagesAtRatio, RadioButtonsAreDrawnFromTheVariantOfTheRatio) {
    const struct {
        QStyle::State state;
        const char* image;
    } states[] = {{QStyle::State_Sunken, "radiobutton_on2"},
                  {QStyle::State_On, "radiobutton_on"},
                  {QStyle::State_Off, "radiobutton_off"}};
    for (const auto& c : ratioCases) {
        for (const auto& s : states) {
            SCOPED_TRACE(testing::Message() << s.image << " at " << c.ratio);
            const QVector<PaintOp> pixmaps = paintRadio(c.ratio, s.state);
            ASSERT_EQ(pixmaps.size(), 1);
            EXPECT_EQ(pixmaps[0].rect, QRectF(4, 3, 13, 13)) << "the logical place, whatever the variant";
            EXPECT_EQ(pixmaps[0].image.convertToFormat(QImage::Format_ARGB32),
                      variantFile(s.image, c.variant));
            EXPECT_EQ(pixmaps[0].hints.testFlag(QPainter::SmoothPixmapTransform), c.smooth);
        }
    }
}

TEST_F(ImagesAtRatio, AtWholeRatiosTheDevicePixelsAreTheVariantsOwn) {
    for (int r : {2, 3}) {
        QImage image(40 * r, 30 * r, QImage::Format_ARGB32);
        image.fill(Qt::white);
        image.setDevicePixelRatio(r);
        {
            QPainter painter(&image);
            QStyleOptionButton button;
            button.rect = QRect(4, 3, 13, 13);
            button.state = QStyle::State_Enabled | QStyle::State_On;
            style.drawPrimitive(QStyle::PE_IndicatorRadioButton, &button, &painter);
        }
        QImage drawn = image.copy(4 * r, 3 * r, 13 * r, 13 * r);
        drawn.setDevicePixelRatio(1);
        QImage file = variantFile("radiobutton_on", r);
        // Composed over white, as the device shows it.
        QImage over(file.size(), QImage::Format_ARGB32);
        over.fill(Qt::white);
        QPainter(&over).drawImage(0, 0, file);
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32), over.convertToFormat(QImage::Format_RGB32))
            << "ratio " << r;
        // Not the image itself, blown up: the variant has detail the upscaled image lacks.
        const QImage upscaled = variantFile("radiobutton_on", 1).scaled(13 * r, 13 * r);
        EXPECT_NE(upscaled, file) << "ratio " << r;
    }
}

TEST_F(ImagesAtRatio, SliderImagesComeFromTheVariantAtTheirLogicalSize) {
    for (const auto& c : ratioCases) {
        SCOPED_TRACE(c.ratio);
        RecordingPaintDevice device(300, 100);
        {
            QPainter painter(&device);
            painter.scale(c.ratio, c.ratio);
            QStyleOptionSlider slider;
            slider.rect = QRect(0, 0, 200, 30);
            slider.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
            slider.state = QStyle::State_Enabled;
            style.drawComplexControl(QStyle::CC_Slider, &slider, &painter);
        }
        const QVector<PaintOp> pixmaps = device.ofKind(PaintOp::Pixmap);
        ASSERT_EQ(pixmaps.size(), 2);
        const VelStyleImage& bar = velStyleImages[3];
        const VelStyleImage& thumb = velStyleImages[4];
        EXPECT_EQ(pixmaps[0].image.size(), QSize(bar.width, bar.height) * c.variant);
        EXPECT_EQ(pixmaps[0].rect.height(), bar.height) << "the groove keeps the logical height";
        EXPECT_EQ(pixmaps[1].image.convertToFormat(QImage::Format_ARGB32),
                  variantFile(thumb.name, c.variant));
        EXPECT_EQ(pixmaps[1].rect.size(), QSizeF(thumb.width, thumb.height));
        EXPECT_EQ(pixmaps[1].hints.testFlag(QPainter::SmoothPixmapTransform), c.smooth);
    }
}

} // namespace
