#pragma once
// GalleryShot: renders shown windows (the gallery, opened pop-up menus, floating dock windows) into one
// image, the first window at the top left and the others in a column to its right, and records where
// named widgets lie in that image. The image holds device pixels: at a device pixel ratio above 1 it is
// that much larger than the windows, and the recorded places are scaled with it.

#include <QImage>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

class GalleryShot {
public:
    // Renders the window as it is now; its place in the image follows the windows added before.
    void addWindow(QWidget* window);
    // Records the rectangle of a widget (in the widget's coordinates; its whole area by default) under a
    // name. The widget's window must have been added; false otherwise.
    bool note(const QString& name, const QWidget* widget, const QRect& local = QRect());
    void noteRect(const QString& name, const QRect& imageRect);

    // Where a widget's point lies in the image; false when its window was not added.
    bool toImage(const QWidget* widget, const QPoint& local, QPoint& out) const;

    QImage image() const;
    QJsonObject geometry() const;

    // Writes the image as PNG (and, when geometryPath is not empty, the geometry as JSON).
    bool save(const QString& imagePath, const QString& geometryPath, QString& error) const;

    static constexpr int kGap = 16;

private:
    struct Shot {
        const QWidget* window;
        QImage image; // device pixels
        QPoint origin;
        qreal ratio; // device pixels per window pixel
    };
    // The area the added windows cover in the image.
    QRect bounds() const;

    QList<Shot> m_shots;
    QJsonObject m_rects;
};
