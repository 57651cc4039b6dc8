// The Qt style plug-in: a stock Qt program started with -style melvoro (or QT_STYLE_OVERRIDE) runs with
// the application style of the module, with the host's default theme and images.

#include "host/images/styleimages.h"
#include "host/lookservice.h"
#include "runprocess.h"

#include <gtest/gtest.h>

#include <QColor>
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

void expectMelvoro(const ProcessResult& run) {
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << qPrintable(run.err);
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.value("objectName"), "melvoro");
    EXPECT_EQ(run.value("className"), "MelvoroStyle");
    EXPECT_EQ(run.value("sliderLength"), "13");
    EXPECT_EQ(run.value("tabBarBaseHeight"), "0");
    EXPECT_EQ(run.value("dockSeparator"), "3");
    EXPECT_EQ(run.value("preferNoArrows"), "1");
    // Painted with the host's built-in theme and images.
    EXPECT_EQ(run.value("toolbarLine"), VelHostLook::defaultColor("ColorGUIDarker2").name());
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

TEST(StylePlugin, ModuleWithoutTheStyleFallsBackWithAWarning) {
    QProcessEnvironment environment = pluginEnvironment();
    environment.insert("MELVORO_MODULE", QStringLiteral(MELVORO_NOCLASSES_PATH));
    const ProcessResult run = runProcess(kProbe, {"-style", "melvoro"}, environment);
    ASSERT_EQ(run.exitStatus, QProcess::NormalExit) << qPrintable(run.err);
    EXPECT_NE(run.value("objectName"), "melvoro");
    EXPECT_TRUE(run.err.contains("no class \"MelvoroStyle\"")) << qPrintable(run.err);
}

// `cmake --install` puts the plug-in, the module and the dock window library into the style plug-in folder
// of the build's Qt; from there (under a staging root here) the plug-in works on its own.
TEST(StylePlugin, InstalledPluginWorksFromTheToolkitsPluginFolder) {
    QTemporaryDir stage;
    ASSERT_TRUE(stage.isValid());
    QProcessEnvironment environment = offscreenEnvironment();
    environment.insert("DESTDIR", stage.path());
    const ProcessResult install = runProcess(QStringLiteral(MELVORO_CMAKE_COMMAND),
                                             {"--install", QStringLiteral(MELVORO_BINARY_DIR)}, environment);
    ASSERT_EQ(install.exitCode, 0) << qPrintable(install.out + install.err);
    const QString plugins = stage.path() + QStringLiteral(MELVORO_QT_PLUGIN_DIR);
    for (const char* file : {"libmelvorostyleplugin.so", "libmelvoroGUIComponent.so", "libvelhostwidgets.so"})
        EXPECT_TRUE(QFileInfo::exists(plugins + "/styles/" + file)) << file;
    environment = offscreenEnvironment();
    environment.insert("QT_PLUGIN_PATH", plugins);
    expectMelvoro(runProcess(kProbe, {"-style", "melvoro"}, environment));
}
