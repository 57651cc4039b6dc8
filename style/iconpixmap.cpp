#include "style/iconpixmap.h"

#include "style/devicegrid.h"

#include <QGuiApplication>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
namespace {

// The ratio the toolkit multiplies a requested size by before it picks an icon's pixmap: the
// application's, where it hands out high-resolution pixmaps at all.
qreal toolkitIconRatio() {
    return QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps) ? qApp->devicePixelRatio() : 1.0;
}

// How many of the pixmap's pixels stand for one logical pixel: the device's ratio when the icon gave a
// pixmap of the size asked for, less when it had only a smaller one (never below 1).
qreal pixmapRatio(qreal ratio, const QSize& size, const QSize& actual) {
    const QSize target = (QSizeF(size) * ratio).toSize();
    if ((actual.width() == target.width() && actual.height() <= target.height()) ||
        (actual.width() <= target.width() && actual.height() == target.height()))
        return ratio;
    if (target.isEmpty())
        return 1.0;
    const qreal scale =
        0.5 * (qreal(actual.width()) / target.width() + qreal(actual.height()) / target.height());
    return qMax<qreal>(1.0, ratio * scale);
}

} // namespace
#endif

QPixmap velIconPixmap(const QIcon& icon, const QSize& size, qreal ratio, QIcon::Mode mode,
                      QIcon::State state) {
    if (icon.isNull() || size.isEmpty())
        return QPixmap();
    if (!(ratio > 0))
        ratio = 1.0;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return icon.pixmap(size, ratio, mode, state);
#else
    // The toolkit scales the size asked for by its own ratio: ask for the device's pixels divided by it.
    const qreal toolkit = toolkitIconRatio();
    const QSize asked = (QSizeF(size) * ratio / toolkit).toSize().expandedTo(QSize(1, 1));
    QPixmap pixmap = icon.pixmap(asked, mode, state);
    if (!pixmap.isNull())
        pixmap.setDevicePixelRatio(pixmapRatio(ratio, size, pixmap.size()));
    return pixmap;
#endif
}

QPixmap velIconPixmap(const QIcon& icon, const QSize& size, const QPainter* painter, QIcon::Mode mode,
                      QIcon::State state) {
    return velIconPixmap(icon, size, painter ? velGridRatio(painter) : qApp->devicePixelRatio(), mode, state);
}
