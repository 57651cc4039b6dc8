// Images: the image container's icon cache and file formats, the host's image store, and the style's
// lookup of images by name.

#include "host/images/styleimages.h"
#include "style/commonappstyle.h"
#include "style/imagecontainer.h"
#include "style/melvorostyle.h"
#include "style/support/recordingstyle.h"
#include "style/support/stylehost.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <cstring>

namespace {

QByteArray encoded(const QColor& color, const char* format, const QSize& size = QSize(4, 4)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

PooledString pathOf(const QString& text) {
    PooledString path;
    if (!text.isEmpty())
        path.setUtf16(reinterpret_cast<const char16_t*>(text.utf16()), text.size());
    return path;
}

QRgb colourOf(const QIcon& icon) {
    const QPixmap pixmap = icon.pixmap(QSize(22, 22));
    if (pixmap.isNull())
        return 0;
    return pixmap.toImage().pixel(0, 0);
}

// ---------------------------------------------------------------------------------------------------
// The format chosen by suffix.

TEST(Style1Images, FormatForSuffixIgnoresCase) {
    EXPECT_STREQ(imageFormatForSuffix(QStringLiteral("png")), "PNG");
    EXPECT_STREQ(imageFormatForSuffix(QStringLiteral("PNG")), "PNG");
    EXPECT_STREQ(imageFormatForSuffix(QStringLiteral("Bmp")), "BMP");
    EXPECT_STREQ(imageFormatForSuffix(QStringLiteral("xbm")), "XBM");
    EXPECT_EQ(imageFormatForSuffix(QStringLiteral("jpg")), nullptr);
    EXPECT_EQ(imageFormatForSuffix(QStringLiteral("")), nullptr);
    EXPECT_EQ(imageFormatForSuffix(QStringLiteral("png ")), nullptr);
    EXPECT_EQ(imageFormatForSuffix(QStringLiteral("pngx")), nullptr);
}

// ---------------------------------------------------------------------------------------------------
// The image container.

class Style1ImageContainer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { image->release(); }

    QTemporaryDir dir;
    ImageContainer* image = [] {
        auto* container = new ImageContainer;
        container->addRef();
        return container;
    }();
};

TEST_F(Style1ImageContainer, AnswersItsClassName) {
    IVelUnknown* unknown = image;
    EXPECT_EQ(velCast<ImageContainer>(unknown, "ImageContainer"), image);
    EXPECT_EQ(velCast<IVelUnknown>(unknown, "IVelUnknown"), unknown);
    EXPECT_EQ(velCast<ImageContainer>(unknown, "IImageStore"), nullptr);
    EXPECT_STREQ(image->className(), "ImageContainer");
}

TEST_F(Style1ImageContainer, DecodesDataOnceAndKeepsTheIcon) {
    const QByteArray red = encoded(Qt::red, "PNG");
    const QByteArray blue = encoded(Qt::blue, "PNG");
    image->data = reinterpret_cast<const uchar*>(red.constData());
    image->dataLength = unsigned(red.size());
    EXPECT_EQ(colourOf(image->icon()), qRgb(255, 0, 0));
    const qint64 key = image->cachedIcon.cacheKey();

    // Later requests answer from the cache and never look at the bytes again.
    image->data = reinterpret_cast<const uchar*>(blue.constData());
    image->dataLength = unsigned(blue.size());
    QIcon& again = image->icon();
    EXPECT_EQ(&again, &image->cachedIcon);
    EXPECT_EQ(again.cacheKey(), key);
    EXPECT_EQ(colourOf(again), qRgb(255, 0, 0));
}

TEST_F(Style1ImageContainer, DataComesBeforeThePath) {
    const QByteArray red = encoded(Qt::red, "PNG");
    const QString file = dir.filePath(QStringLiteral("blue.png"));
    ASSERT_TRUE(writeFile(file, encoded(Qt::blue, "PNG")));
    image->data = reinterpret_cast<const uchar*>(red.constData());
    image->dataLength = unsigned(red.size());
    image->path = pathOf(file);
    EXPECT_EQ(colourOf(image->icon()), qRgb(255, 0, 0));
    EXPECT_TRUE(image->pixmap.isNull()) << "the file was not read";
}

TEST_F(Style1ImageContainer, ReadsTheFileIntoThePixmap) {
    const QString file = dir.filePath(QStringLiteral("green.png"));
    ASSERT_TRUE(writeFile(file, encoded(Qt::green, "PNG", QSize(6, 5))));
    image->path = pathOf(file);
    EXPECT_EQ(colourOf(image->icon()), qRgb(0, 255, 0));
    EXPECT_EQ(image->pixmap.size(), QSize(6, 5));
}

TEST_F(Style1ImageContainer, SuffixInCapitalsForcesThatFormat) {
    // BMP bytes under a name ending in ".PNG" are read as PNG, and so fail ...
    const QByteArray bmp = encoded(Qt::red, "BMP");
    const QString wrong = dir.filePath(QStringLiteral("picture.PNG"));
    ASSERT_TRUE(writeFile(wrong, bmp));
    image->path = pathOf(wrong);
    EXPECT_TRUE(image->icon().isNull());
    EXPECT_TRUE(image->pixmap.isNull());

    // ... while real PNG bytes under that name are read.
    ASSERT_TRUE(writeFile(wrong, encoded(Qt::red, "PNG")));
    EXPECT_EQ(colourOf(image->icon()), qRgb(255, 0, 0)) << "a failed read is tried again";
}

TEST_F(Style1ImageContainer, ADotOnlyInAFolderNameGivesNoSuffix) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("pictures.png")));
    const QString file = dir.filePath(QStringLiteral("pictures.png/picture"));
    ASSERT_TRUE(writeFile(file, encoded(Qt::blue, "BMP")));
    image->path = pathOf(file);
    EXPECT_EQ(colourOf(image->icon()), qRgb(0, 0, 255)) << "format found from the file";
}

TEST_F(Style1ImageContainer, UndecodableDataGivesANullIconAndIsTriedAgain) {
    const QByteArray junk("definitely not an image");
    image->data = reinterpret_cast<const uchar*>(junk.constData());
    image->dataLength = unsigned(junk.size());
    EXPECT_TRUE(image->icon().isNull());

    const QByteArray red = encoded(Qt::red, "PNG");
    image->data = reinterpret_cast<const uchar*>(red.constData());
    image->dataLength = unsigned(red.size());
    EXPECT_EQ(colourOf(image->icon()), qRgb(255, 0, 0));
}

TEST_F(Style1ImageContainer, BareDriveNameCountsAsAPathAndReadsNothing) {
    image->path = pathOf(QStringLiteral("C:"));
    EXPECT_TRUE(image->icon().isNull());
    EXPECT_TRUE(image->pixmap.isNull());
}

TEST_F(Style1ImageContainer, WithoutDataOrPathTheReadyPixmapIsUsed) {
    QPixmap ready(3, 3);
    ready.fill(Qt::yellow);
    image->pixmap = ready;
    image->path = pathOf(QStringLiteral("x")); // one character: not a path
    EXPECT_EQ(colourOf(image->icon()), qRgb(255, 255, 0));

    ImageContainer* empty = new ImageContainer;
    empty->addRef();
    EXPECT_TRUE(empty->icon().isNull());
    empty->release();
}

// ---------------------------------------------------------------------------------------------------
// The host's image store.

TEST(Style1ImageStore, ShipsTheStyleImagesFromBytesAndFromPaths) {
    VelHostImageStore* store = new VelHostImageStore;
    store->addRef();
    ASSERT_TRUE(store->addStandardImages());
    EXPECT_EQ(store->size(), velStyleImageCount);
    for (const VelStyleImage& shipped : velStyleImages) {
        ImageContainer* image = store->container(shipped.name);
        ASSERT_NE(image, nullptr) << shipped.name;
        const bool fromBytes = std::strncmp(shipped.name, "radiobutton", 11) == 0;
        EXPECT_EQ(image->data != nullptr, fromBytes) << shipped.name;
        EXPECT_EQ(image->path.isEmpty(), fromBytes) << shipped.name;
        const QIcon& icon = image->icon();
        ASSERT_FALSE(icon.isNull()) << shipped.name;
        const QImage picture = icon.pixmap(QSize(shipped.width, shipped.height)).toImage();
        EXPECT_EQ(picture.size(), QSize(shipped.width, shipped.height)) << shipped.name;
        EXPECT_EQ(picture.pixel(shipped.width / 2, shipped.height / 2), shipped.centre) << shipped.name;
    }
    store->release();
}

TEST(Style1ImageStore, FindsByExactNameAndRefusesBadInput) {
    VelHostImageStore* store = new VelHostImageStore;
    store->addRef();
    ImageContainer* added = store->addPixmap("icon", QPixmap(2, 2));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(store->findImage("icon"), static_cast<IVelUnknown*>(added));
    EXPECT_EQ(store->findImage("Icon"), nullptr);
    EXPECT_EQ(store->findImage(nullptr), nullptr);
    EXPECT_EQ(store->finds("icon"), 1);
    EXPECT_EQ(store->addPixmap(nullptr, QPixmap()), nullptr);
    EXPECT_EQ(store->addImageData("", QByteArray("x")), nullptr);
    EXPECT_FALSE(store->addObject("thing", nullptr));

    // Replacing an image lets go of the old container.
    added->addRef();
    store->addPixmap("icon", QPixmap(3, 3));
    EXPECT_EQ(added->refCount(), 1);
    added->release();
    EXPECT_TRUE(store->remove("icon"));
    EXPECT_FALSE(store->remove("icon"));
    store->release();
}

// ---------------------------------------------------------------------------------------------------
// The style's lookup by name.

TEST(Style1StylePixmap, KnownNamesComeFromTheStore) {
    StyleTestHost host;
    const QPixmap radio = CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_on"));
    EXPECT_EQ(radio.size(), QSize(13, 13));
    EXPECT_EQ(radio.toImage().pixel(6, 6), velStyleImages[1].centre);
    const QPixmap bar = CommonAppStyle::stylePixmap(QStringLiteral("slider_bar"));
    EXPECT_FALSE(bar.isNull());
    EXPECT_EQ(host.images()->finds("radiobutton_on"), 1);
    EXPECT_EQ(host.images()->finds("slider_bar"), 1);
}

TEST(Style1StylePixmap, ALatin1NameFindsTheSameImage) {
    StyleTestHost host;
    const QPixmap byText = CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_on"));
    const QPixmap byName = CommonAppStyle::stylePixmap("radiobutton_on");
    EXPECT_EQ(byName.size(), byText.size());
    EXPECT_EQ(byName.toImage(), byText.toImage());
    EXPECT_EQ(host.images()->finds("radiobutton_on"), 2);
    EXPECT_EQ(CommonAppStyle::stylePixmap("no_such_image").size(), QSize(10, 10));
}

TEST(Style1StylePixmap, LargeImagesComeOutAtTheSmallIconSize) {
    StyleTestHost host;
    // 13 x 27 and 40 x 9 scaled down to fit 22 x 22, keeping the aspect ratio.
    QImage tall(13, 27, QImage::Format_ARGB32);
    tall.fill(QColor(10, 20, 30));
    host.images()->addPixmap("tall", QPixmap::fromImage(tall));
    const QPixmap thumb = CommonAppStyle::stylePixmap(QStringLiteral("tall"));
    EXPECT_EQ(thumb.size(), QSize(13, 27).scaled(22, 22, Qt::KeepAspectRatio));
    EXPECT_EQ(thumb.height(), 22);
    host.images()->addImageData("wide", encoded(QColor(40, 50, 60), "PNG", QSize(40, 9)));
    EXPECT_EQ(CommonAppStyle::stylePixmap(QStringLiteral("wide")).size(),
              QSize(40, 9).scaled(22, 22, Qt::KeepAspectRatio));
}

TEST(Style1StylePixmap, EveryShippedImageComesOutAtItsOwnSize) {
    StyleTestHost host;
    for (const VelStyleImage& shipped : velStyleImages) {
        const QImage image = CommonAppStyle::stylePixmap(QString::fromLatin1(shipped.name)).toImage();
        EXPECT_EQ(image.size(), QSize(shipped.width, shipped.height)) << shipped.name;
        if (image.isNull())
            continue;
        EXPECT_EQ(image.pixel(shipped.width / 2, shipped.height / 2), shipped.centre) << shipped.name;
        // Unscaled: pixel for pixel the shipped file.
        const QImage file(QStringLiteral(":/melvoro/images/%1.png").arg(QString::fromLatin1(shipped.name)));
        ASSERT_FALSE(file.isNull()) << shipped.name;
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32), file.convertToFormat(QImage::Format_ARGB32))
            << shipped.name;
    }
}

TEST(Style1StylePixmap, TheStoreIsLookedUpAtEveryCallAndLetGo) {
    StyleTestHost host;
    const int before = host.images()->refCount();
    const int lookups = host.context().lookups("IImageStore");
    CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_off"));
    CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_off"));
    EXPECT_EQ(host.context().lookups("IImageStore"), lookups + 2);
    EXPECT_EQ(host.images()->refCount(), before);
}

TEST(Style1StylePixmap, AnImageIsDecodedOnce) {
    StyleTestHost host;
    ImageContainer* image = host.images()->container("radiobutton_on");
    ASSERT_NE(image, nullptr);
    CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_on"));
    const qint64 key = image->cachedIcon.cacheKey();
    // Even with its bytes gone, the container answers from its cache.
    image->data = nullptr;
    image->dataLength = 0;
    const QPixmap again = CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_on"));
    EXPECT_EQ(image->cachedIcon.cacheKey(), key);
    EXPECT_EQ(again.toImage().pixel(6, 6), velStyleImages[1].centre);
}

const VelStyleImage& shippedImage(const char* name) {
    for (const VelStyleImage& image : velStyleImages)
        if (std::strcmp(image.name, name) == 0)
            return image;
    return velStyleImages[0];
}

// A slider painted from the shipped images shows the whole thumb, and is as high as the thumb.
TEST(Style1StylePixmap, ShippedSliderThumbIsDrawnWhole) {
    StyleTestHost host;
    auto* base = new RecordingStyle;
    MelvoroStyle style(base);
    base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderGroove, QRect(0, 3, 120, 20));
    base->setSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle, QRect(30, 0, 20, 20));
    QStyleOptionSlider option;
    option.rect = QRect(0, 0, 120, 30);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    option.state = QStyle::State_Enabled;

    const VelStyleImage& thumb = shippedImage("slider_thumb_on");
    const VelStyleImage& bar = shippedImage("slider_bar");
    base->setSizeFromContents(QStyle::CT_Slider, QSize(120, 40));
    EXPECT_EQ(style.sizeFromContents(QStyle::CT_Slider, &option, QSize(100, 20)).height(), thumb.height);

    QImage image(120, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        style.drawComplexControl(QStyle::CC_Slider, &option, &painter, nullptr);
    }
    // The thumb at its own size from the handle's corner (30, 0): its centre and, one row above its
    // bottom edge, the middle of its body; nothing of it below.
    EXPECT_EQ(image.pixel(30 + thumb.width / 2, thumb.height / 2), thumb.centre);
    EXPECT_EQ(image.pixel(30 + thumb.width / 2, thumb.height - 3), thumb.centre);
    EXPECT_EQ(image.pixel(30 + thumb.width / 2, thumb.height + 1), qRgb(255, 255, 255));
    // The centre row of the thumb is its full body width (the image less its one-pixel border).
    int body = 0;
    for (int x = 25; x < 60; ++x)
        body += image.pixel(x, thumb.height / 2) == thumb.centre ? 1 : 0;
    EXPECT_EQ(body, thumb.width - 2);
    // The bar, stretched into the groove (5 .. 114, rows 9 ..), shows its centre colour on either side.
    EXPECT_EQ(image.pixel(6, 9 + bar.height / 2), bar.centre);
    EXPECT_EQ(image.pixel(113, 9 + bar.height / 2), bar.centre);
    EXPECT_EQ(image.pixel(3, 9 + bar.height / 2), qRgb(255, 255, 255));
}

void expectPlaceholder(const QPixmap& pixmap) {
    ASSERT_EQ(pixmap.size(), QSize(10, 10));
    const QImage image = pixmap.toImage();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 0) << x << "," << y;
}

TEST(Style1StylePixmap, UnknownNamesGiveTheTransparentPlaceholder) {
    StyleTestHost host;
    expectPlaceholder(CommonAppStyle::stylePixmap(QStringLiteral("no_such_image")));
    expectPlaceholder(CommonAppStyle::stylePixmap(QString()));
}

TEST(Style1StylePixmap, NoImageStoreGivesThePlaceholder) {
    StyleTestHost host(StyleTestHost::WithoutImages);
    expectPlaceholder(CommonAppStyle::stylePixmap(QStringLiteral("radiobutton_on")));
}

TEST(Style1StylePixmap, AnObjectThatIsNoImageContainerGivesThePlaceholder) {
    StyleTestHost host;
    auto* stranger = new VelHostLook;
    ASSERT_TRUE(host.images()->addObject("stranger", stranger));
    expectPlaceholder(CommonAppStyle::stylePixmap(QStringLiteral("stranger")));
}

TEST(Style1StylePixmap, UndecodableImageGivesANullPixmap) {
    StyleTestHost host;
    host.images()->addImageData("broken", QByteArray("not an image at all"));
    EXPECT_TRUE(CommonAppStyle::stylePixmap(QStringLiteral("broken")).isNull());
}

} // namespace
