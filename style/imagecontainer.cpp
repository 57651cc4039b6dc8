#include "style/imagecontainer.h"

#include <QByteArray>

bool ImageContainer::queryInterface(const char* name, void* outOrWalk, int32_t) {
    return velCheckClass(name, outOrWalk, "ImageContainer", this, static_cast<IVelUnknown*>(this));
}

QIcon& ImageContainer::icon() {
    // The cache: once an image has been decoded, it is not decoded again.
    if (!cachedIcon.isNull())
        return cachedIcon;

    QPixmap built;
    if (data) {
        built.loadFromData(data, dataLength);
    } else {
        // A file path, when there is one, loads into the container's pixmap; the pixmap is the image.
        const PooledString rooted = path.pathWithRootSeparator();
        if (rooted.length() > 1) {
            const PooledString suffix = rooted.extension();
            const char* format = imageFormatForSuffix(suffix.toQString());
            pixmap.load(rooted.toQString(), format);
        }
        built = pixmap;
    }
    cachedIcon = QIcon(built);
    return cachedIcon;
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
