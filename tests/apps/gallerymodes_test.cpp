// The gallery's two modes, its usage without a display, screenshots at a device pixel ratio above 1, and
// runs without the toolkit's "not handled" warnings.

#include "pixels.h"
#include "runprocess.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString kGallery = QStringLiteral(MELVORO_GALLERY_PATH);

struct Shot {
    ProcessResult run;
    QImage image;
    QJsonObject geometry;

    QRect rect(const QString& name) const {
        const QJsonArray a = geometry.value("rects").toObject().value(name).toArray();
        return a.size() == 4 ? QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()) : QRect();
    }
};

class GalleryModes : public ::testing::Test {
protected:
    Shot screenshot(const QStringList& extra,
                    const QProcessEnvironment& environment = offscreenEnvironment()) {
        Shot shot;
        const QString png = m_dir.filePath("shot.png"), json = m_dir.filePath("shot.json");
        shot.run =
            runProcess(kGallery, QStringList{"--screenshot", png, "--geometry", json} + extra, environment);
        EXPECT_EQ(shot.run.exitCode, 0) << qPrintable(shot.run.err);
        shot.image = QImage(png);
        QFile file(json);
        if (file.open(QIODevice::ReadOnly))
            shot.geometry = QJsonDocument::fromJson(file.readAll()).object();
        return shot;
    }
    QTemporaryDir m_dir;
};

TEST_F(GalleryModes, HelpNeedsNoDisplay) {
    QProcessEnvironment environment = offscreenEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    const ProcessResult run = runProcess(kGallery, {"--help"}, environment);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.startsWith("Usage: gallery")) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains("--mode"));
}

TEST_F(GalleryModes, UnknownModeShowsUsage) {
    const ProcessResult run = runProcess(kGallery, {"--mode", "kiosk"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("--mode takes host or application")) << qPrintable(run.err);
}

TEST_F(GalleryModes, BothModesRunWithoutUnhandledWarningsAndPaintTheTitledFrame) {
    for (const char* mode : {"host", "application"}) {
        const Shot shot = screenshot({"--mode", mode});
        EXPECT_FALSE(shot.run.err.contains("not handled")) << mode << ": " << qPrintable(shot.run.err);
        const QRect frame = shot.rect("titledFrame");
        ASSERT_FALSE(frame.isEmpty()) << mode;
        EXPECT_EQ(QColor(shot.image.pixel(frame.left(), frame.center().y())), QColor(0, 0, 0))
            << mode << ": the frame's left edge";
        EXPECT_GT(pixels::inkCount(shot.image, frame.adjusted(30, 4, -4, -4)), 20) << mode << ": its title";
    }
}

TEST_F(GalleryModes, ApplicationModeShowsItsPage) {
    const Shot host = screenshot({});
    EXPECT_TRUE(host.rect("applicationPage").isEmpty()) << "host mode shows no application page";
    const Shot shot = screenshot({"--mode", "application"});
    for (const char* name :
         {"applicationPage", "plainDock", "mdiArea", "overflowTabs", "verticalSlider", "checkableGroup"}) {
        const QRect r = shot.rect(name);
        EXPECT_FALSE(r.isEmpty()) << name;
        EXPECT_TRUE(shot.image.rect().contains(r)) << name;
    }
    // The plain dock widget's title is painted.
    const QRect dock = shot.rect("plainDock");
    EXPECT_GT(pixels::inkCount(shot.image, QRect(dock.left(), dock.top(), dock.width() / 2, 18)), 20);
}

const char* const kPageControls[] = {"treeView", "tableView", "menuToolButton", "toolBox",   "dial",
                                     "splitter", "dateEdit",  "scrollBar",      "statusBar", "busyProgress"};

TEST_F(GalleryModes, AnotherStylePaintsTheSamePageAtTheSameSize) {
    const Shot ours = screenshot({"--mode", "application"});
    const Shot fusion = screenshot({"--style", "Fusion"});
    ASSERT_FALSE(ours.rect("galleryWindow").isEmpty());
    EXPECT_EQ(fusion.rect("galleryWindow").size(), ours.rect("galleryWindow").size());
    for (const char* name : kPageControls) {
        EXPECT_FALSE(ours.rect(name).isEmpty()) << name;
        EXPECT_FALSE(fusion.rect(name).isEmpty()) << name;
    }
    const QRect tree = ours.rect("treeView");
    EXPECT_NE(ours.image.copy(tree), fusion.image.copy(fusion.rect("treeView")))
        << "painted by another style";

    const ProcessResult unknown =
        runProcess(kGallery, {"--style", "NoSuchStyle", "--screenshot", m_dir.filePath("none.png")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("no installed style \"NoSuchStyle\"")) << qPrintable(unknown.err);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("none.png")));
}

TEST_F(GalleryModes, TheApplicationPageShowsTheSameOnEveryRun) {
    const Shot first = screenshot({"--mode", "application"});
    // Later, so a busy bar that followed the clock would have moved on.
    QThread::msleep(150);
    const Shot second = screenshot({"--mode", "application"});
    for (const char* name : kPageControls) {
        const QRect r = first.rect(name);
        ASSERT_EQ(r, second.rect(name)) << name;
        EXPECT_EQ(first.image.copy(r), second.image.copy(r)) << name;
    }
    // The busy bar too, and everything else.
    EXPECT_EQ(first.image, second.image);
    // Held part way along: bare groove at both ends of the busy bar, its block between them.
    const QRect busy = first.rect("busyProgress");
    ASSERT_FALSE(busy.isEmpty());
    const int y = busy.center().y();
    const QRgb groove = first.image.pixel(busy.right() - 5, y);
    EXPECT_EQ(first.image.pixel(busy.left() + 5, y), groove);
    bool block = false;
    for (int x = busy.left() + 5; x < busy.right() - 5; ++x)
        block = block || first.image.pixel(x, y) != groove;
    EXPECT_TRUE(block);
}

TEST_F(GalleryModes, ScreenshotHoldsDevicePixels) {
    const Shot normal = screenshot({});
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert("QT_SCALE_FACTOR", "2");
    const Shot doubled = screenshot({}, environment);
    ASSERT_FALSE(normal.image.isNull());
    ASSERT_FALSE(doubled.image.isNull());
    EXPECT_EQ(doubled.geometry.value("image").toObject().value("devicePixelRatio").toDouble(), 2.0);
    // Each window twice as large (the gap between the windows stays the same).
    const QRect window1 = normal.rect("galleryWindow"), window2 = doubled.rect("galleryWindow");
    EXPECT_NEAR(window2.width(), 2 * window1.width(), 4);
    EXPECT_NEAR(window2.height(), 2 * window1.height(), 4);
    EXPECT_GE(doubled.image.width(), window2.width());
    // The places are device pixels too: the tool bar is twice as far in and twice as large.
    const QRect bar = normal.rect("toolBar"), barDoubled = doubled.rect("toolBar");
    EXPECT_NEAR(barDoubled.width(), 2 * bar.width(), 4);
    EXPECT_NEAR(barDoubled.top(), 2 * bar.top(), 4);
    // What the window shows fills the image: its bottom right corner is painted, not the backdrop.
    const QRect window = doubled.rect("galleryWindow");
    EXPECT_NE(QColor(doubled.image.pixel(window.right() - 2, window.bottom() - 2)), QColor(96, 96, 96));
}

} // namespace
