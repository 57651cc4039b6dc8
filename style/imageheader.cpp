#include "style/imageheader.h"

#include <QByteArray>
#include <QIODevice>
#include <QImageReader>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// Formats whose decoder allocates exactly the size that QImageReader::size() reads from the header.
bool keepsToDeclaredSize(const QByteArray& format) {
    static const char* const formats[] = {"png", "bmp", "jpeg", "jpg", "ppm",
                                          "pgm", "pbm", "xbm",  "xpm", "svg"};
    return std::any_of(std::begin(formats), std::end(formats), [&](const char* f) { return format == f; });
}

// A header is never searched further into the data than this.
constexpr qint64 kLongestHeaderScan = 16 << 20;

class HeaderBytes {
public:
    explicit HeaderBytes(QIODevice* device) : m_device(device) {}

    // The bytes at offset, or fewer at the end of the data.
    QByteArray at(qint64 offset, int count) {
        if (!m_device || offset < 0 || !m_device->seek(offset))
            return {};
        return m_device->read(count);
    }
    int byteAt(qint64 offset) {
        const QByteArray b = at(offset, 1);
        return b.size() == 1 ? uchar(b[0]) : -1;
    }

private:
    QIODevice* m_device;
};

int little16(const QByteArray& b, int at) {
    return uchar(b[at]) | uchar(b[at + 1]) << 8;
}

qint64 little32(const QByteArray& b, int at) {
    return qint32(quint32(uchar(b[at])) | quint32(uchar(b[at + 1])) << 8 | quint32(uchar(b[at + 2])) << 16 |
                  quint32(uchar(b[at + 3])) << 24);
}

qint64 big32(const QByteArray& b, int at) {
    return qint64(quint32(uchar(b[at])) << 24 | quint32(uchar(b[at + 1])) << 16 |
                  quint32(uchar(b[at + 2])) << 8 | quint32(uchar(b[at + 3])));
}

// The logical screen of a GIF and the extent of its first frame, whichever is larger in each direction.
bool gifDecodeSize(HeaderBytes& bytes, QSize* size) {
    const QByteArray screen = bytes.at(0, 13);
    if (screen.size() < 13)
        return false;
    int width = little16(screen, 6);
    int height = little16(screen, 8);
    const int packed = uchar(screen[10]);
    qint64 at = 13 + ((packed & 0x80) ? 3 * (2 << (packed & 7)) : 0);
    // Extensions (0x21, then sub-blocks until an empty one) may come before the first frame (0x2c).
    while (at < kLongestHeaderScan) {
        const int introducer = bytes.byteAt(at);
        if (introducer == 0x21) {
            at += 2;
            int length = 0;
            while ((length = bytes.byteAt(at)) > 0 && at < kLongestHeaderScan)
                at += 1 + length;
            if (length < 0)
                break; // the data ends: nothing is decoded
            at += 1;
            continue;
        }
        if (introducer == 0x2c) {
            const QByteArray frame = bytes.at(at + 1, 8);
            if (frame.size() == 8) {
                width = std::max(width, little16(frame, 0) + little16(frame, 4));
                height = std::max(height, little16(frame, 2) + little16(frame, 6));
            }
        }
        *size = QSize(width, height);
        return true; // a frame, the trailer or anything else ends the scan
    }
    return false;
}

// The first icon's own image: an embedded PNG's header or the bitmap header (its height counts the mask
// too, so the image is half as high).
bool icoDecodeSize(HeaderBytes& bytes, QSize* size) {
    const QByteArray entry = bytes.at(6, 16);
    if (entry.size() < 16)
        return false;
    const qint64 offset = little32(entry, 12) & 0xffffffffll;
    const QByteArray image = bytes.at(offset, 24);
    if (image.size() < 24)
        return false;
    qint64 width = 0, height = 0;
    if (image.startsWith("\x89PNG")) {
        width = big32(image, 16);
        height = big32(image, 20);
    } else {
        width = little32(image, 4);
        height = little32(image, 8) / 2;
    }
    // Out of range either way: refused as too large.
    width = std::min<qint64>(std::abs(width), INT_MAX);
    height = std::min<qint64>(std::abs(height), INT_MAX);
    *size = QSize(int(width), int(height));
    return true;
}

} // namespace

bool velImageDecodeSize(QImageReader& reader, QSize* size, QString* refusal) {
    if (!reader.canRead()) {
        *refusal = QStringLiteral("is no image of a format that can be read");
        return false;
    }
    const QByteArray format = reader.format().toLower();
    const QSize declared = reader.size();
    if (!declared.isValid()) {
        *refusal = QStringLiteral("declares no size before its pixels");
        return false;
    }
    QSize decoded = declared;
    if (format == "gif" || format == "ico" || format == "cur") {
        HeaderBytes bytes(reader.device());
        const bool known = format == "gif" ? gifDecodeSize(bytes, &decoded) : icoDecodeSize(bytes, &decoded);
        if (!known) {
            *refusal = QStringLiteral("has a %1 header that cannot be read").arg(QString::fromLatin1(format));
            return false;
        }
        decoded = decoded.expandedTo(declared);
    } else if (!keepsToDeclaredSize(format)) {
        *refusal = QStringLiteral("is a %1 image, whose size is not known before decoding")
                       .arg(QString::fromLatin1(format));
        return false;
    }
    *size = decoded;
    return true;
}
