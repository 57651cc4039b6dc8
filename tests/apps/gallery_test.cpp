// The gallery application, run as a program: its screenshot shows what only the application style paints,
// at the places the gallery reports; its failures give one clear message and a non-zero exit.

#include "host/images/styleimages.h"
#include "runprocess.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>

namespace {

const QString kGallery = QStringLiteral(MELVORO_GALLERY_PATH);

// A theme whose colours appear nowhere else in the gallery.
const char kTheme[] = "# test theme\n"
                      "ColorGUI = #d0d8e0\n"
                      "ColorButtonHover = #ffe080\n"
                      "ColorButtonSelected = #a0c0ff\n"
                      "ColorButtonRaised = #e4e4e4\n"
                      "ColorGUILighter1 = #f0f4f8\n"
                      "ColorGUILighter2 = #f8fafc\n"
                      "ColorGUIDarker1 = #8090a0\n"
                      "ColorGUIDarker2 = #203040\n"
                      "ColorButtonShade = #c8d0d8\n";

struct Shot {
    QImage image;
    QJsonObject geometry;

    QRect rect(const QString& name) const {
        const QJsonArray a = geometry.value("rects").toObject().value(name).toArray();
        if (a.size() != 4)
            return QRect();
        return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
    }
    QColor at(int x, int y) const { return QColor(image.pixel(x, y)); }
};

class GalleryApp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QFile theme(path("test.theme"));
        ASSERT_TRUE(theme.open(QIODevice::WriteOnly));
        theme.write(kTheme);
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the gallery with --screenshot and --geometry and loads both results.
    Shot screenshot(const QStringList& extra = {},
                    const QProcessEnvironment& environment = offscreenEnvironment()) {
        QStringList arguments{"--theme",        path("test.theme"), "--screenshot",
                              path("shot.png"), "--geometry",       path("shot.json")};
        arguments += extra;
        const ProcessResult run = runProcess(kGallery, arguments, environment);
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
        EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_TRUE(run.out.contains("wrote " + path("shot.png"))) << qPrintable(run.out);
        Shot shot;
        shot.image = QImage(path("shot.png"));
        QFile json(path("shot.json"));
        if (json.open(QIODevice::ReadOnly))
            shot.geometry = QJsonDocument::fromJson(json.readAll()).object();
        return shot;
    }

    QTemporaryDir m_dir;
};

bool near(const QColor& a, const QColor& b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QColor lerp(const QColor& a, const QColor& b, double t) {
    return QColor(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                  int(std::lround(a.green() + (b.green() - a.green()) * t)),
                  int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

QColor imageCentre(const char* name) {
    for (const VelStyleImage& image : velStyleImages)
        if (std::strcmp(image.name, name) == 0)
            return QColor::fromRgba(image.centre);
    return QColor();
}

QString describe(const QColor& c) {
    return c.name();
}

} // namespace

TEST_F(GalleryApp, ScreenshotMatchesTheReportedGeometry) {
    const Shot shot = screenshot();
    ASSERT_FALSE(shot.image.isNull());
    const QJsonObject size = shot.geometry.value("image").toObject();
    EXPECT_EQ(shot.image.width(), size.value("width").toInt());
    EXPECT_EQ(shot.image.height(), size.value("height").toInt());
    // The window, the opened pop-up menu to its right and the floating dock window all lie in the image.
    const QRect bounds = shot.image.rect();
    for (const char* name : {"galleryWindow", "menu", "floatingWindow", "toolBar", "northTabs.selectedTab",
                             "radioOn.indicator", "menu.activeItem", "titledFrame"}) {
        const QRect r = shot.rect(name);
        EXPECT_FALSE(r.isEmpty()) << name;
        EXPECT_TRUE(bounds.contains(r)) << name;
    }
    EXPECT_GT(shot.rect("menu").left(), shot.rect("galleryWindow").right());
    EXPECT_GE(shot.image.width(), 640);
    EXPECT_GE(shot.image.height(), 400);
}

TEST_F(GalleryApp, AtScaleTwoTheShotHoldsEveryDevicePixel) {
    const Shot one = screenshot();
    QProcessEnvironment scaled = offscreenEnvironment();
    scaled.insert("QT_SCALE_FACTOR", "2");
    const Shot two = screenshot({}, scaled);
    ASSERT_FALSE(one.image.isNull());
    ASSERT_FALSE(two.image.isNull());
    // Every window at twice its size, the next column after the first window's device pixels.
    for (const char* name : {"galleryWindow", "menu", "toolBar", "radioOn.indicator"})
        EXPECT_EQ(two.rect(name).size(), one.rect(name).size() * 2) << name;
    EXPECT_EQ(two.rect("menu").left(), two.rect("galleryWindow").width() + 16);
    EXPECT_TRUE(two.image.rect().contains(two.rect("floatingWindow")));
    // The tool bar's line is two device rows above two rows of "ColorGUILighter1".
    const QRect bar = two.rect("toolBar");
    for (int y : {bar.bottom() - 3, bar.bottom() - 2})
        EXPECT_EQ(describe(two.at(bar.right() - 4, y)), "#203040") << "y " << y;
    for (int y : {bar.bottom() - 1, bar.bottom()})
        EXPECT_EQ(describe(two.at(bar.right() - 4, y)), "#f0f4f8") << "y " << y;
    // The radio button's image at its centre, drawn from its variant for ratio 2.
    const QRect on = two.rect("radioOn.indicator");
    EXPECT_EQ(describe(two.at(on.left() + 13, on.top() + 13)), describe(imageCentre("radiobutton_on")));
}

TEST_F(GalleryApp, ToolBarCarriesTheDarkerLineAboveItsBottomRow) {
    const Shot shot = screenshot();
    ASSERT_FALSE(shot.image.isNull());
    const QRect bar = shot.rect("toolBar");
    ASSERT_FALSE(bar.isEmpty());
    // The tool buttons sit at the left; the right end of the bar shows only what the style painted.
    const int lineRow = bar.bottom() - 1;
    for (int x = bar.right() - 6; x <= bar.right(); ++x)
        EXPECT_EQ(describe(shot.at(x, lineRow)), "#203040") << "x " << x;
    // The bottom row is the gradient's end, "ColorGUILighter1".
    EXPECT_EQ(describe(shot.at(bar.right() - 3, bar.bottom())), "#f0f4f8");
}

TEST_F(GalleryApp, SelectedNorthTabEndsInItsGradientColour) {
    const Shot shot = screenshot();
    ASSERT_FALSE(shot.image.isNull());
    const QRect tab = shot.rect("northTabs.selectedTab");
    const QRect bar = shot.rect("northTabs.tabBar");
    ASSERT_FALSE(tab.isEmpty());
    ASSERT_FALSE(bar.isEmpty());
    // The gradient runs from the tab bar's top (painter y 0) to the tab's height: "ColorGUI" at 0,
    // "ColorGUILighter1" at 0.45 and RGB (253, 254, 255) at its end.
    const int localBottom = tab.bottom() - bar.top();
    const double t = (localBottom + 0.5) / tab.height();
    QColor expected;
    if (t >= 1.0)
        expected = QColor(253, 254, 255);
    else
        expected = lerp(QColor("#f0f4f8"), QColor(253, 254, 255), (t - 0.45) / 0.55);
    const QColor seen = shot.at(tab.left() + 4, tab.bottom());
    EXPECT_TRUE(near(seen, expected, 3))
        << qPrintable(describe(seen)) << " vs " << qPrintable(describe(expected));
    // Higher up, at the 0.45 stop, the tab shows "ColorGUILighter1".
    const int stopRow = bar.top() + int(0.45 * tab.height());
    const QColor atStop = shot.at(tab.left() + 4, stopRow);
    EXPECT_TRUE(near(atStop, QColor("#f0f4f8"), 4)) << qPrintable(describe(atStop));
}

TEST_F(GalleryApp, RadioButtonsShowTheHostsImages) {
    const Shot shot = screenshot();
    ASSERT_FALSE(shot.image.isNull());
    const QRect on = shot.rect("radioOn.indicator");
    const QRect off = shot.rect("radioOff.indicator");
    ASSERT_FALSE(on.isEmpty());
    ASSERT_FALSE(off.isEmpty());
    // Each image is drawn at its own size from the indicator's top-left corner; 13 x 13, centre (6, 6).
    EXPECT_EQ(describe(shot.at(on.left() + 6, on.top() + 6)), describe(imageCentre("radiobutton_on")));
    EXPECT_EQ(describe(shot.at(off.left() + 6, off.top() + 6)), describe(imageCentre("radiobutton_off")));
}

TEST_F(GalleryApp, OpenedMenuShowsItsSelectedEntry) {
    const Shot shot = screenshot();
    ASSERT_FALSE(shot.image.isNull());
    const QRect item = shot.rect("menu.activeItem");
    ASSERT_FALSE(item.isEmpty());
    // A black one-pixel frame on the entry's border around "ColorButtonHover".
    EXPECT_EQ(describe(shot.at(item.left(), item.top() + item.height() / 2)), "#000000");
    EXPECT_EQ(describe(shot.at(item.left() + 1, item.top() + 1)), "#ffe080");
}

TEST_F(GalleryApp, CompareShowsTheBaseStyleBeside) {
    const Shot shot = screenshot({"--compare"});
    ASSERT_FALSE(shot.image.isNull());
    const QRect ours = shot.rect("toolBar");
    const QRect base = shot.rect("compare.toolBar");
    ASSERT_FALSE(ours.isEmpty());
    ASSERT_FALSE(base.isEmpty());
    EXPECT_GT(base.left(), ours.right());
    EXPECT_EQ(describe(shot.at(ours.right() - 3, ours.bottom() - 1)), "#203040");
    EXPECT_NE(describe(shot.at(base.right() - 3, base.bottom() - 1)), "#203040");
    // The base style draws its own radio buttons, not the host's images.
    const QRect radio = shot.rect("compare.radioOn.indicator");
    ASSERT_FALSE(radio.isEmpty());
    EXPECT_NE(describe(shot.at(radio.left() + 6, radio.top() + 6)), describe(imageCentre("radiobutton_on")));
    EXPECT_FALSE(shot.rect("compare.menu.activeItem").isEmpty());
}

TEST_F(GalleryApp, RightToLeftMirrorsTheControls) {
    const Shot shot = screenshot({"--rtl"});
    ASSERT_FALSE(shot.image.isNull());
    const QRect radio = shot.rect("radioOn");
    const QRect indicator = shot.rect("radioOn.indicator");
    ASSERT_FALSE(indicator.isEmpty());
    EXPECT_GT(indicator.center().x(), radio.center().x());
    EXPECT_EQ(describe(shot.at(indicator.left() + 6, indicator.top() + 6)),
              describe(imageCentre("radiobutton_on")));
}

TEST_F(GalleryApp, RendersWithoutAnyDisplayOrPlatformGiven) {
    QProcessEnvironment environment = offscreenEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    const ProcessResult run = runProcess(kGallery, {"--screenshot", path("bare.png")}, environment);
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_FALSE(QImage(path("bare.png")).isNull());
}

TEST_F(GalleryApp, WithoutDisplayTheWindowCannotOpen) {
    QProcessEnvironment environment = offscreenEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    const ProcessResult run = runProcess(kGallery, {}, environment);
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 2);
    const QStringList lines = run.errLinesStartingWith("gallery:");
    ASSERT_EQ(lines.size(), 1) << qPrintable(run.err);
    EXPECT_TRUE(lines[0].contains("--screenshot"));
}

namespace {

// Runs the gallery for a screenshot with the given module; it must fail cleanly.
ProcessResult runWithModule(const QString& module, const QString& shotPath) {
    return runProcess(kGallery, {"--module", module, "--screenshot", shotPath});
}

} // namespace

TEST_F(GalleryApp, WrongModulePathIsOneClearMessage) {
    const QString missing = path("no-such-module.so");
    const ProcessResult run = runWithModule(missing, path("x.png"));
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.errLinesStartingWith("gallery:");
    ASSERT_EQ(lines.size(), 1) << qPrintable(run.err);
    EXPECT_TRUE(lines[0].contains("not found")) << qPrintable(lines[0]);
    EXPECT_TRUE(lines[0].contains(missing));
    EXPECT_FALSE(QFile::exists(path("x.png")));
}

TEST_F(GalleryApp, ModuleWithoutEntryPointIsOneClearMessage) {
    const ProcessResult run = runWithModule(QStringLiteral(MELVORO_NOENTRY_PATH), path("x.png"));
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.errLinesStartingWith("gallery:");
    ASSERT_EQ(lines.size(), 1) << qPrintable(run.err);
    EXPECT_TRUE(lines[0].contains("no EntryPoint")) << qPrintable(lines[0]);
}

TEST_F(GalleryApp, ModuleWithoutTheStyleIsOneClearMessage) {
    const ProcessResult run = runWithModule(QStringLiteral(MELVORO_NOCLASSES_PATH), path("x.png"));
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.errLinesStartingWith("gallery:");
    ASSERT_EQ(lines.size(), 1) << qPrintable(run.err);
    EXPECT_TRUE(lines[0].contains("no class \"MelvoroStyle\"")) << qPrintable(lines[0]);
}

TEST_F(GalleryApp, UnreadableThemeIsOneClearMessage) {
    const ProcessResult run =
        runProcess(kGallery, {"--theme", path("missing.theme"), "--screenshot", path("x.png")});
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    const QStringList lines = run.errLinesStartingWith("gallery:");
    ASSERT_EQ(lines.size(), 1) << qPrintable(run.err);
    EXPECT_TRUE(lines[0].contains(path("missing.theme"))) << qPrintable(lines[0]);
}

TEST_F(GalleryApp, UnknownOptionShowsUsage) {
    const ProcessResult run = runProcess(kGallery, {"--shiny"});
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("unknown option --shiny"));
    EXPECT_TRUE(run.err.contains("Usage: gallery"));
}
