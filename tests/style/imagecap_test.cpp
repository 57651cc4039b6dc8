// Images too large to decode ("image bombs") and images that fail: the container's size cap, and the
// store's one report and no second try.

#include "style/commonappstyle.h"
#include "style/imagecontainer.h"
#include "style/support/stylehost.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <chrono>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

uint32_t crc32Of(const QByteArray& bytes) {
    uint32_t crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= uint8_t(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray encodedPng(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 20));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Writes value as four big-endian bytes at offset of bytes, which holds them.
void putBigEndian(QByteArray& bytes, int offset, quint32 value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = char(value >> (24 - 8 * i));
}

// A PNG of a few hundred bytes whose header declares width x height pixels: a 1 x 1 image with its
// header's size changed (and the header's checksum made to fit).
QByteArray pngDeclaring(int width, int height) {
    QByteArray png = encodedPng(QSize(1, 1));
    // Signature (8), IHDR length (4), "IHDR" (4), width and height (4 each), 5 more bytes, then the CRC
    // over "IHDR" and its 13 bytes of data.
    putBigEndian(png, 16, quint32(width));
    putBigEndian(png, 20, quint32(height));
    putBigEndian(png, 29, crc32Of(png.mid(12, 17)));
    return png;
}

// An icon file whose directory names one 16 x 16 icon and whose icon is the PNG given.
QByteArray icoHolding(const QByteArray& png) {
    QByteArray ico("\0\0\1\0\1\0", 6);
    ico += QByteArray("\x10\x10\0\0\1\0\x20\0", 8);
    char sizes[8];
    qToLittleEndian<quint32>(quint32(png.size()), sizes);
    qToLittleEndian<quint32>(22u, sizes + 4);
    ico += QByteArray(sizes, 8);
    return ico + png;
}

// A GIF whose logical screen is width x height and whose one 1 x 1 frame stands at (0, 0).
QByteArray gifOfScreen(int width, int height) {
    QByteArray gif("GIF89a");
    char screen[7] = {
        char(width & 0xff), char(width >> 8), char(height & 0xff), char(height >> 8), '\x80', 0, 0};
    gif += QByteArray(screen, 7);
    gif += QByteArray("\0\0\0\xff\xff\xff", 6);             // two colours
    gif += QByteArray(",\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 16); // the frame, then the trailer
    return gif;
}

PooledString pathOf(const QString& text) {
    PooledString path;
    path.setUtf16(reinterpret_cast<const char16_t*>(text.utf16()), text.size());
    return path;
}

class Style1ImageCap : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { m_image->release(); }

    // The icon of the container holding bytes as data, or as a file when asFile.
    QIcon iconOf(const QByteArray& bytes, bool asFile) {
        m_image->cachedIcon = QIcon();
        m_image->pixmap = QPixmap();
        m_image->data = nullptr;
        m_image->path = PooledString();
        if (asFile) {
            const QString file = m_dir.filePath(QStringLiteral("image.png"));
            QFile out(file);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bytes);
            out.close();
            m_image->path = pathOf(file);
        } else {
            m_bytes = bytes;
            m_image->data = reinterpret_cast<const uchar*>(m_bytes.constData());
            m_image->dataLength = unsigned(m_bytes.size());
        }
        return m_image->icon();
    }

    QTemporaryDir m_dir;
    QByteArray m_bytes;
    ImageContainer* m_image = [] {
        auto* container = new ImageContainer;
        container->addRef();
        return container;
    }();
};

TEST_F(Style1ImageCap, ImagesUpToTheCapDecodeLargerOnesAreRefusedBeforeDecoding) {
    const struct {
        QSize size;
        bool decodes;
    } cases[] = {
        {QSize(kImageMaxSide, 1), true},
        {QSize(1, kImageMaxSide), true},
        {QSize(kImageMaxSide + 1, 1), false},
        {QSize(1, kImageMaxSide + 1), false},
    };
    for (const bool asFile : {false, true}) {
        for (const auto& c : cases) {
            const QIcon icon = iconOf(encodedPng(c.size), asFile);
            EXPECT_EQ(!icon.isNull(), c.decodes)
                << c.size.width() << "x" << c.size.height() << " file " << asFile;
            if (c.decodes)
                continue;
            EXPECT_TRUE(m_image->pixmap.isNull());
            EXPECT_TRUE(m_image->problem().contains(
                QStringLiteral("declares %1 x %2 pixels").arg(c.size.width()).arg(c.size.height())))
                << qPrintable(m_image->problem());
        }
    }
}

TEST_F(Style1ImageCap, ABombDeclaringTwentyThousandSquareIsRefused) {
    for (const bool asFile : {false, true}) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(iconOf(pngDeclaring(20000, 20000), asFile).isNull());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_TRUE(m_image->problem().contains(
            QLatin1String("declares 20000 x 20000 pixels, more than 4096 x 4096")))
            << qPrintable(m_image->problem());
    }
}

// Two formats decode at a size that QImageReader::size() does not give: the GIF screen, and an icon's
// own PNG header. Both are read before decoding.
TEST_F(Style1ImageCap, GifScreensAndIconHeadersAreCheckedToo) {
    const struct {
        const char* what;
        QByteArray bytes;
        QSize decoded; // invalid: refused
    } cases[] = {
        {"small GIF", gifOfScreen(3, 2), QSize(3, 2)},
        {"GIF of a tall screen", gifOfScreen(1, kImageMaxSide + 1), QSize()},
        {"small icon", icoHolding(encodedPng(QSize(16, 16))), QSize(16, 16)},
        {"icon holding a wide PNG", icoHolding(encodedPng(QSize(kImageMaxSide + 1, 1))), QSize()},
    };
    for (const auto& c : cases) {
        const QIcon icon = iconOf(c.bytes, false);
        if (c.decoded.isValid()) {
            EXPECT_EQ(icon.availableSizes().value(0), c.decoded) << c.what;
        } else {
            EXPECT_TRUE(icon.isNull()) << c.what;
            EXPECT_TRUE(m_image->problem().contains(QStringLiteral("more than 4096 x 4096")))
                << c.what << ": " << qPrintable(m_image->problem());
        }
    }
}

TEST_F(Style1ImageCap, ProblemsNameWhatWentWrong) {
    iconOf("not an image", false);
    EXPECT_EQ(m_image->problem(), QStringLiteral("its data is no image of a format that can be read"));
    QByteArray truncated = encodedPng(QSize(64, 64));
    truncated.truncate(truncated.size() / 2);
    EXPECT_TRUE(iconOf(truncated, false).isNull());
    EXPECT_EQ(m_image->problem(), QStringLiteral("its data cannot be decoded"));
    m_image->data = nullptr;
    m_image->path = pathOf(m_dir.filePath(QStringLiteral("missing.png")));
    EXPECT_TRUE(m_image->problem().endsWith(QLatin1String("missing.png does not exist")));
    m_image->path = PooledString();
    EXPECT_EQ(m_image->problem(), QString()) << "nothing to decode";
}

TEST_F(Style1ImageCap, APipeAsImageFileIsNotOpened) {
    const QString fifo = m_dir.filePath(QStringLiteral("image.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    m_image->path = pathOf(fifo);
    auto icon = std::async(std::launch::async, [this] { return m_image->icon().isNull(); });
    if (icon.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        QFile writer(fifo);
        writer.open(QIODevice::WriteOnly);
        writer.close();
        FAIL() << "decoding an image from a pipe blocked";
    }
    EXPECT_TRUE(icon.get());
    EXPECT_TRUE(m_image->problem().endsWith(QLatin1String("is not a regular file")))
        << qPrintable(m_image->problem());
}

// The store: a failed image is reported once and then never decoded again.
TEST(Style1ImageStoreFailures, AFailedImageIsReportedOnceAndNotDecodedAgain) {
    StyleTestHost host;
    VelHostImageStore* store = host.images();
    const QByteArray good = encodedPng(QSize(8, 8));
    store->addImageData("bomb", pngDeclaring(20000, 20000));
    store->addImageFile("lost", QStringLiteral("/nonexistent/lost.png"));
    for (int paint = 0; paint < 3; ++paint) {
        EXPECT_TRUE(CommonAppStyle::stylePixmap("bomb").isNull());
        EXPECT_TRUE(CommonAppStyle::stylePixmap("lost").isNull());
        // Were it tried again, the good bytes put under the container now would decode.
        ImageContainer* bomb = store->container("bomb");
        bomb->data = reinterpret_cast<const uchar*>(good.constData());
        bomb->dataLength = unsigned(good.size());
    }
    ASSERT_EQ(store->problems().size(), 2) << qPrintable(store->problems().join('\n'));
    EXPECT_EQ(
        store->problems()[0],
        QStringLiteral(
            "image \"bomb\" is not shown: its data declares 20000 x 20000 pixels, more than 4096 x 4096"));
    EXPECT_EQ(store->problems()[1],
              QStringLiteral("image \"lost\" is not shown: its file /nonexistent/lost.png does not exist"));
    EXPECT_EQ(store->finds("bomb"), 3);

    // Added again, an image gets a new try.
    store->addImageData("bomb", good);
    EXPECT_EQ(CommonAppStyle::stylePixmap("bomb").size(), QSize(8, 8));
    EXPECT_EQ(store->problems().size(), 2);
}

TEST(Style1ImageStoreFailures, AnEmptyContainerIsNoProblem) {
    StyleTestHost host;
    host.images()->addPixmap("empty", QPixmap());
    EXPECT_TRUE(CommonAppStyle::stylePixmap("empty").isNull());
    EXPECT_TRUE(CommonAppStyle::stylePixmap("empty").isNull());
    EXPECT_TRUE(host.images()->problems().isEmpty());
    // Its pixmap may still come later.
    host.images()->container("empty")->pixmap = QPixmap(5, 5);
    EXPECT_EQ(CommonAppStyle::stylePixmap("empty").size(), QSize(5, 5));
}

} // namespace
