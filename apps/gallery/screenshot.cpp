#include "apps/gallery/screenshot.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace {

const QColor kBackdrop(96, 96, 96);

QJsonArray rectArray(const QRect& r) {
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}

} // namespace

void GalleryShot::addWindow(QWidget* window) {
    if (!window)
        return;
    Shot shot{window, window->grab().toImage().convertToFormat(QImage::Format_RGB32), QPoint(), 1.0};
    shot.ratio = shot.image.devicePixelRatio();
    shot.image.setDevicePixelRatio(1.0);
    if (!m_shots.isEmpty()) {
        // Later windows stack in a column right of the first one.
        const Shot& first = m_shots.first();
        int y = 0;
        for (int i = 1; i < m_shots.size(); ++i)
            y = std::max(y, m_shots[i].origin.y() + m_shots[i].image.height() + kGap);
        shot.origin = QPoint(first.image.width() + kGap, y);
    }
    m_shots.append(shot);
    m_rects.insert(window->objectName().isEmpty() ? QString("window%1").arg(m_shots.size())
                                                  : window->objectName(),
                   rectArray(QRect(shot.origin, shot.image.size())));
}

bool GalleryShot::toImage(const QWidget* widget, const QPoint& local, QPoint& out) const {
    if (!widget)
        return false;
    const QWidget* window = widget->window();
    for (const Shot& shot : m_shots) {
        if (shot.window == window) {
            const QPoint logical = widget->mapTo(window, local);
            out = QPoint(qRound(logical.x() * shot.ratio), qRound(logical.y() * shot.ratio)) + shot.origin;
            return true;
        }
    }
    return false;
}

bool GalleryShot::note(const QString& name, const QWidget* widget, const QRect& local) {
    if (!widget)
        return false;
    const QRect r = local.isNull() ? widget->rect() : local;
    // Both corners are mapped, so the size is in the image's pixels too.
    QPoint topLeft, end;
    if (!toImage(widget, r.topLeft(), topLeft) ||
        !toImage(widget, r.topLeft() + QPoint(r.width(), r.height()), end))
        return false;
    m_rects.insert(name, rectArray(QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()))));
    return true;
}

void GalleryShot::noteRect(const QString& name, const QRect& imageRect) {
    m_rects.insert(name, rectArray(imageRect));
}

QRect GalleryShot::bounds() const {
    QRect bounds;
    for (const Shot& shot : m_shots)
        bounds |= QRect(shot.origin, shot.image.size());
    return bounds;
}

QImage GalleryShot::image() const {
    const QRect bounds = this->bounds();
    if (bounds.isEmpty())
        return QImage();
    QImage canvas(bounds.size(), QImage::Format_RGB32);
    canvas.fill(kBackdrop);
    QPainter painter(&canvas);
    for (const Shot& shot : m_shots)
        painter.drawImage(shot.origin, shot.image);
    painter.end();
    return canvas;
}

QJsonObject GalleryShot::geometry() const {
    // The image's size alone: the windows are not composed again for it.
    const QRect bounds = this->bounds();
    const QSize size = bounds.isEmpty() ? QSize(0, 0) : bounds.size();
    QJsonObject root;
    const qreal ratio = m_shots.isEmpty() ? 1.0 : m_shots.first().ratio;
    root.insert("image",
                QJsonObject{{"width", size.width()}, {"height", size.height()}, {"devicePixelRatio", ratio}});
    root.insert("rects", m_rects);
    return root;
}

bool GalleryShot::save(const QString& imagePath, const QString& geometryPath, QString& error) const {
    const QImage canvas = image();
    if (canvas.isNull()) {
        error = "nothing was rendered";
        return false;
    }
    if (!canvas.save(imagePath, "PNG")) {
        error = QString("cannot write %1").arg(imagePath);
        return false;
    }
    if (!geometryPath.isEmpty()) {
        QFile file(geometryPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(QJsonDocument(geometry()).toJson()) < 0) {
            error = QString("cannot write %1").arg(geometryPath);
            return false;
        }
    }
    return true;
}

QFont galleryShotFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    return font;
}
