// The Qt style plug-in: a stock Qt program started with -style melvoro (or QT_STYLE_OVERRIDE) runs with
// the application style of the module, with the host's default theme and images.

#include "host/images/styleimages.h"
#include "host/lookservice.h"
#include "runprocess.h"
#include "style/appcontrast.h"
#include "style/contrast.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

namespace {

const QString kProbe = QStringLiteral(MELVORO_STYLEPROBE_PATH);

QProcessEnvironment pluginEnvironment() {
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert("QT_PLUGIN_PATH", QStringLiteral(MELVORO_PLUGIN_ROOT));
    return environment;
}

QString radioOnCentre() {
    for (const VelStyleImage& image : velStyleImages)
        if (std::strcmp(image.name, "radiobutton_on") == 0)
            return QColor::fromRgba(image.centre).name();
    return QString();
}

// The tool bar's line in the built-in look: its dark colour, deepened where it would not read on the wash.
QString builtInToolBarLine() {
    return velMarkBetween(VelHostLook::defaultColor("ColorGUI"),
                          VelHostLook::defaultColor("ColorGUILighter1"),
                          VelHostLook::defaultColor("ColorGUIDarker2"))
        .name();
}

void expectMelvoro(const ProcessResult& run) {
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << qPrintable(run.err);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.value("objectName"), "melvoro");
    EXPECT_EQ(run.value("className"), "MelvoroStyle");
    EXPECT_EQ(run.value("metaClass"), "MelvoroStyle");
    EXPECT_EQ(run.value("sliderLength"), "13");
    EXPECT_EQ(run.value("dockSeparator"), "3");
    // In application mode: tab scroll arrows and the toolkit's tab bar base, not the host's choices.
    EXPECT_EQ(run.value("preferNoArrows"), "0");
    EXPECT_NE(run.value("tabBarBaseHeight"), "0");
    // Painted with the host's built-in theme and images.
    EXPECT_EQ(run.value("toolbarLine"), builtInToolBarLine());
    EXPECT_EQ(run.value("radioCentre"), radioOnCentre());
}

} // namespace

TEST(StylePlugin, StyleOptionPicksTheLookUp) {
    expectMelvoro(runProcess(kProbe, {"-style", "melvoro"}, pluginEnvironment()));
}

TEST(StylePlugin, StyleOverrideVariablePicksTheLookUp) {
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("QT_STYLE_OVERRIDE", "melvoro");
    expectMelvoro(runProcess(kProbe, {}, environment));
}

TEST(StylePlugin, KeyIsCaseInsensitive) {
    expectMelvoro(runProcess(kProbe, {"-style", "Melvoro"}, pluginEnvironment()));
}

TEST(StylePlugin, ModuleNamedByTheEnvironmentIsUsed) {
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("MELVORO_MODULE", QStringLiteral(MELVORO_MODULE_PATH));
    expectMelvoro(runProcess(kProbe, {"-style", "melvoro"}, environment));
}

TEST(StylePlugin, WithoutTheOptionTheProgramKeepsItsStyle) {
    const ProcessResult run = runProcess(kProbe, {}, pluginEnvironment());
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_NE(run.value("objectName"), "melvoro");
    EXPECT_TRUE(run.value("className").isEmpty());
}

TEST(StylePlugin, MissingModuleFallsBackWithAWarning) {
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("MELVORO_MODULE", "/nonexistent/libmelvoroGUIComponent.so");
    const ProcessResult run = runProcess(kProbe, {"-style", "melvoro"}, environment);
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << qPrintable(run.err);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.value("objectName"), "melvoro");
    EXPECT_TRUE(run.err.contains("melvoro style: Module file not found")) << qPrintable(run.err);
}

TEST(StylePlugin, LookFollowsALightOrDarkPalette) {
    const ProcessResult light = runProcess(kProbe, {"-style", "melvoro"}, pluginEnvironment());
    const ProcessResult dark = runProcess(kProbe, {"-style", "melvoro", "--dark"}, pluginEnvironment());
    ASSERT_EQ(light.exitCode, 0) << qPrintable(light.err);
    ASSERT_EQ(dark.exitCode, 0) << qPrintable(dark.err);
    // The light scheme gives today's look; the dark one a dark look with its text still readable.
    EXPECT_EQ(light.value("windowColor"), VelHostLook::defaultColor("ColorGUI").name());
    EXPECT_EQ(light.value("toolbarLine"), builtInToolBarLine());
    const QColor window(dark.value("windowColor"));
    const QColor text(dark.value("windowTextColor"));
    ASSERT_TRUE(window.isValid());
    EXPECT_LT(velRelativeLuminance(window), 0.1);
    EXPECT_GE(velContrastRatio(window, text), velReadableContrast);
}

TEST(StylePlugin, ThemeFileNamedByTheEnvironmentGivesTheColours) {
    QTemporaryDir dir;
    QFile theme(dir.filePath("test.theme"));
    ASSERT_TRUE(theme.open(QIODevice::WriteOnly));
    theme.write("ColorGUI = #123456\n");
    theme.close();
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("MELVORO_THEME", theme.fileName());
    const ProcessResult run = runProcess(kProbe, {"-style", "melvoro", "--dark"}, environment);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.value("windowColor"), "#123456");
}

// Installed into a prefix of its own, the plug-in runs a stock program from there: nothing on the library
// path, the plug-in folder alone on the plug-in path (a test cannot write Qt's own folder), and the module it
// loads is the installed one.
TEST(StylePlugin, InstalledPlugInIsSelfContained) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const ProcessResult install =
        runProcess(QStringLiteral(MELVORO_CMAKE_COMMAND),
                   {"--install", QStringLiteral(MELVORO_BINARY_DIR), "--prefix", prefix.path()});
    ASSERT_EQ(install.exitCode, 0) << qPrintable(install.out + install.err);
    const QString styles = prefix.filePath(QStringLiteral(MELVORO_STYLE_INSTALL_DIR));
    const QString plugins = QFileInfo(styles).path();
    ASSERT_TRUE(QFileInfo::exists(styles + "/libmelvorostyleplugin.so")) << qPrintable(install.out);

    QProcessEnvironment environment = offscreenEnvironment();
    environment.remove("LD_LIBRARY_PATH");
    environment.remove("MELVORO_MODULE");
    environment.insert("QT_PLUGIN_PATH", plugins);
    const ProcessResult run = runProcess(kProbe, {"-style", "melvoro"}, environment);
    expectMelvoro(run);
    const QStringList libraries = run.value("libraries").split(';', Qt::SkipEmptyParts);
    EXPECT_EQ(libraries.size(), 3) << qPrintable(run.value("libraries"));
    for (const QString& library : libraries)
        EXPECT_TRUE(library.startsWith(styles + "/")) << qPrintable(library);
}

TEST(StylePlugin, ModuleWithoutTheStyleFallsBackWithAWarning) {
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("MELVORO_MODULE", QStringLiteral(MELVORO_NOCLASSES_PATH));
    const ProcessResult run = runProcess(kProbe, {"-style", "melvoro"}, environment);
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << qPrintable(run.err);
    EXPECT_NE(run.value("objectName"), "melvoro");
    EXPECT_TRUE(run.err.contains("no class \"MelvoroStyle\"")) << qPrintable(run.err);
}

// By default `cmake --install` puts the plug-in into the style plug-in folder of the build's Qt, the module
// and the dock window library beside it; from there (under a staging root here) the plug-in works on its own.
TEST(StylePlugin, InstalledPluginWorksFromTheToolkitsPluginFolder) {
    QTemporaryDir stage;
    ASSERT_TRUE(stage.isValid());
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert("DESTDIR", stage.path());
    const ProcessResult install = runProcess(QStringLiteral(MELVORO_CMAKE_COMMAND),
                                             {"--install", QStringLiteral(MELVORO_BINARY_DIR)}, environment);
    ASSERT_EQ(install.exitCode, 0) << qPrintable(install.out + install.err);
    const QString styles =
        stage.path() + QStringLiteral(MELVORO_INSTALL_PREFIX "/" MELVORO_STYLE_INSTALL_DIR);
    for (const char* file :
         {"libmelvorostyleplugin.so", "melvoro/libmelvoroGUIComponent.so", "melvoro/libvelhostwidgets.so"})
        EXPECT_TRUE(QFileInfo::exists(styles + "/" + file)) << file;
    environment = offscreenEnvironment();
    environment.remove("LD_LIBRARY_PATH");
    environment.remove("MELVORO_MODULE");
    environment.insert("QT_PLUGIN_PATH", QFileInfo(styles).path());
    expectMelvoro(runProcess(kProbe, {"-style", "melvoro"}, environment));
}
