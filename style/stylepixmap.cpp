#include "style/commonappstyle.h"

#include "style/guiservices.h"
#include "style/imagecontainer.h"
#include "style/imagevariant.h"

#include <QIcon>

namespace {

// The size an image is asked at: the toolkit's small icon size. Larger images come out scaled down
// to fit, keeping their aspect ratio; smaller ones at their own size.
const QSize kSmallIconSize(22, 22);

// Drawn in place of an image the store does not have: fully transparent.
QPixmap placeholder() {
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap CommonAppStyle::stylePixmap(const QString& name) {
    return stylePixmap(name.toLatin1().constData());
}

QPixmap CommonAppStyle::stylePixmap(const char* name) {
    // The store is looked up anew at every call and let go at the end of it.
    SPtr<IImageStore> store;
    if (!store)
        return placeholder();
    IVelUnknown* found = store->findImage(name);
    auto* image = velCast<ImageContainer>(found, "ImageContainer");
    if (!image)
        return placeholder();
    const QIcon icon = image->icon();
    return icon.pixmap(kSmallIconSize, QIcon::Normal, QIcon::Off);
}

QPixmap CommonAppStyle::stylePixmap(const char* name, qreal devicePixelRatio) {
    int scales[velImageVariantCount + 1];
    const int count = velImageScalesFor(devicePixelRatio, scales);
    if (count == 1)
        return stylePixmap(name);
    SPtr<IImageStore> store;
    if (!store)
        return placeholder();
    for (int i = 0; i < count; ++i) {
        const int scale = scales[i];
        const QByteArray variant = velImageVariantName(name, scale);
        auto* image = velCast<ImageContainer>(store->findImage(variant.constData()), "ImageContainer");
        if (!image)
            continue;
        // A variant is asked at the small icon size of its own scale, so it too comes out at its size.
        const QIcon icon = image->icon();
        QPixmap pixmap = icon.pixmap(kSmallIconSize * scale, QIcon::Normal, QIcon::Off);
        if (pixmap.isNull() && scale != 1)
            continue;
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }
    return placeholder();
}
