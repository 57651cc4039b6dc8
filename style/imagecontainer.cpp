#include "style/imagecontainer.h"

#include "style/imageheader.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>
#include <climits>

namespace {

// Why the image the reader stands before is not to be decoded; empty when it may be. Reads only as much
// as the image's header.
QString sizeRefusal(QImageReader& reader) {
    QSize size;
    QString refusal;
    if (!velImageDecodeSize(reader, &size, &refusal))
        return refusal;
    if (size.width() > kImageMaxSide || size.height() > kImageMaxSide)
        return QStringLiteral("declares %1 x %2 pixels, more than %3 x %3")
            .arg(size.width())
            .arg(size.height())
            .arg(kImageMaxSide);
    return {};
}

QString dataRefusal(const uchar* data, unsigned int length) {
    if (length > unsigned(INT_MAX))
        return QStringLiteral("its data holds more than 2 GiB");
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(length));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QString refusal = sizeRefusal(reader);
    return refusal.isEmpty() ? refusal : QStringLiteral("its data ") + refusal;
}

QString fileRefusal(const QString& file, const char* format) {
    // A pipe or a device could block the read or deliver endless bytes.
    const QFileInfo info(file);
    QString refusal;
    if (!info.exists()) {
        refusal = QStringLiteral("does not exist");
    } else if (!info.isFile()) {
        refusal = QStringLiteral("is not a regular file");
    } else {
        QImageReader reader(file, format);
        refusal = sizeRefusal(reader);
    }
    return refusal.isEmpty() ? refusal : QStringLiteral("its file %1 %2").arg(file, refusal);
}

// The container's image file: the path with root separator, and the format its suffix names.
struct ImageFile {
    QString name;
    const char* format = nullptr;
};

bool imageFileOf(const PooledString& path, ImageFile& file) {
    const PooledString rooted = path.pathWithRootSeparator();
    if (rooted.length() <= 1)
        return false;
    file.name = rooted.toQString();
    file.format = imageFormatForSuffix(rooted.extension().toQString());
    return true;
}

} // namespace

bool ImageContainer::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velCheckClass(name, outOrWalk, "ImageContainer", this, static_cast<IVelUnknown*>(this));
}

QIcon& ImageContainer::icon() {
    // The cache: once an image has been decoded, it is not decoded again.
    if (!cachedIcon.isNull())
        return cachedIcon;

    QPixmap built;
    if (data) {
        if (dataRefusal(data, dataLength).isEmpty())
            built.loadFromData(data, dataLength);
    } else {
        // A file path, when there is one, loads into the container's pixmap; the pixmap is the image.
        ImageFile file;
        if (imageFileOf(path, file)) {
            if (fileRefusal(file.name, file.format).isEmpty())
                pixmap.load(file.name, file.format);
            else
                pixmap = QPixmap(); // as a failed load leaves it
        }
        built = pixmap;
    }
    cachedIcon = QIcon(built);
    return cachedIcon;
}

QString ImageContainer::problem() const {
    if (data) {
        const QString refusal = dataRefusal(data, dataLength);
        return refusal.isEmpty() ? QStringLiteral("its data cannot be decoded") : refusal;
    }
    ImageFile file;
    if (!imageFileOf(path, file))
        return {};
    const QString refusal = fileRefusal(file.name, file.format);
    return refusal.isEmpty() ? QStringLiteral("its file %1 cannot be decoded").arg(file.name) : refusal;
}

const char* imageFormatForSuffix(const QString& suffix) {
    const QString lower = suffix.toLower();
    if (lower == QLatin1String("png"))
        return "PNG";
    if (lower == QLatin1String("bmp"))
        return "BMP";
    if (lower == QLatin1String("xbm"))
        return "XBM";
    return nullptr;
}
