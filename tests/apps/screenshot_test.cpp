// GalleryShot: several windows in one image, and where a widget lies in it.

#include "apps/gallery/screenshot.h"

#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QJsonArray>
#include <QWidget>

namespace {

// A window filled with one colour, with a child at a known place.
struct ColourWindow {
    ColourWindow(const QString& name, const QSize& size, Qt::GlobalColor colour) {
        window.setObjectName(name);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colour);
        window.setPalette(palette);
        window.resize(size);
        child = new QWidget(&window);
        child->setGeometry(10, 20, 30, 40);
        window.show();
    }
    QWidget window;
    QWidget* child;
};

QRect rectOf(const QJsonObject& geometry, const QString& name) {
    const QJsonArray a = geometry.value("rects").toObject().value(name).toArray();
    return a.size() == 4 ? QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()) : QRect();
}

} // namespace

TEST(GalleryShot, LaterWindowsStackRightOfTheFirst) {
    ColourWindow main("main", QSize(200, 150), Qt::red);
    ColourWindow menu("menu", QSize(80, 60), Qt::green);
    ColourWindow dock("dock", QSize(120, 50), Qt::blue);
    GalleryShot shot;
    shot.addWindow(&main.window);
    shot.addWindow(&menu.window);
    shot.addWindow(&dock.window);
    const QImage image = shot.image();
    const int column = 200 + GalleryShot::kGap;
    ASSERT_EQ(image.size(), QSize(column + 120, 150));
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(column + 5, 5)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(column + 5, 60 + GalleryShot::kGap + 5)), QColor(Qt::blue));
    // Between the windows lies the backdrop.
    EXPECT_NE(QColor(image.pixel(201, 5)), QColor(Qt::red));
    const QJsonObject geometry = shot.geometry();
    EXPECT_EQ(rectOf(geometry, "menu"), QRect(column, 0, 80, 60));
    EXPECT_EQ(rectOf(geometry, "dock"), QRect(column, 60 + GalleryShot::kGap, 120, 50));
}

TEST(GalleryShot, NotesWidgetsInImageCoordinates) {
    ColourWindow main("main", QSize(200, 150), Qt::red);
    ColourWindow menu("menu", QSize(80, 60), Qt::green);
    GalleryShot shot;
    shot.addWindow(&main.window);
    shot.addWindow(&menu.window);
    EXPECT_TRUE(shot.note("child", menu.child));
    EXPECT_TRUE(shot.note("part", menu.child, QRect(2, 3, 4, 5)));
    const int column = 200 + GalleryShot::kGap;
    EXPECT_EQ(rectOf(shot.geometry(), "child"), QRect(column + 10, 20, 30, 40));
    EXPECT_EQ(rectOf(shot.geometry(), "part"), QRect(column + 12, 23, 4, 5));
}

TEST(GalleryShot, WidgetOfAWindowNotAddedIsRefused) {
    ColourWindow main("main", QSize(100, 100), Qt::red);
    ColourWindow other("other", QSize(50, 50), Qt::green);
    GalleryShot shot;
    shot.addWindow(&main.window);
    EXPECT_FALSE(shot.note("stray", other.child));
    EXPECT_FALSE(shot.note("null", nullptr));
    EXPECT_TRUE(rectOf(shot.geometry(), "stray").isNull());
}

TEST(GalleryShot, GeometryGivesTheSizeOfTheImage) {
    ColourWindow main("main", QSize(200, 150), Qt::red);
    ColourWindow menu("menu", QSize(80, 60), Qt::green);
    GalleryShot shot;
    const QJsonObject none = shot.geometry().value("image").toObject();
    EXPECT_EQ(none.value("width").toInt(-1), 0);
    EXPECT_EQ(none.value("height").toInt(-1), 0);
    shot.addWindow(&main.window);
    shot.addWindow(&menu.window);
    const QJsonObject size = shot.geometry().value("image").toObject();
    EXPECT_EQ(QSize(size.value("width").toInt(), size.value("height").toInt()), shot.image().size());
    EXPECT_EQ(QSize(size.value("width").toInt(), size.value("height").toInt()),
              QSize(200 + GalleryShot::kGap + 80, 150));
}

TEST(GalleryShot, NothingRenderedIsAnError) {
    GalleryShot shot;
    QString error;
    EXPECT_TRUE(shot.image().isNull());
    EXPECT_FALSE(shot.save("/tmp/never-written.png", QString(), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(GalleryShot, UnwritablePathIsAnError) {
    ColourWindow main("main", QSize(20, 20), Qt::red);
    GalleryShot shot;
    shot.addWindow(&main.window);
    QString error;
    EXPECT_FALSE(shot.save("/nonexistent/dir/shot.png", QString(), error));
    EXPECT_TRUE(error.contains("/nonexistent/dir/shot.png"));
}
