#include "style/commonappstyle.h"

#include "style/guiservices.h"
#include "style/imagecontainer.h"

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
