// VelStandardHost: the wired reference host, against the built module.

#include "host/errorservice.h"
#include "host/lookservice.h"
#include "host/standardhost.h"
#include "style/commonappstyle.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTemporaryFile>
#include <QToolBar>
#include <memory>

namespace {

const QString kModule = QStringLiteral(MELVORO_MODULE_PATH);

// Puts a plain style back on the application after a test that changed it.
struct ApplicationStyleGuard {
    ~ApplicationStyleGuard() { QApplication::setStyle(QStyleFactory::create("Fusion")); }
};

QImage renderToolBar(QStyle* style) {
    QWidget holder;
    holder.resize(200, 30);
    QToolBar bar(&holder);
    bar.setStyle(style);
    bar.setGeometry(0, 0, 200, 30);
    QImage image(bar.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    bar.render(&image);
    return image;
}

} // namespace

TEST(AppsStandardHost, CreatesTheStyleByNameAsAQStyle) {
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(kModule)) << qPrintable(host.errorString());
    QStyle* style = host.createStyle();
    ASSERT_NE(style, nullptr) << qPrintable(host.errorString());
    EXPECT_NE(qobject_cast<QProxyStyle*>(style), nullptr);
    EXPECT_EQ(style->property("velClassName").toString(), "MelvoroStyle");
    // Answers of this style, not of its base.
    EXPECT_EQ(style->pixelMetric(QStyle::PM_SliderLength), 13);
    EXPECT_EQ(style->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent), 3);
    // Its constructor found the host's look service.
    EXPECT_GE(host.context().lookups("IGuiLook"), 1);
    EXPECT_EQ(host.liveStyles(), QList<QStyle*>{style});
    delete style;
    EXPECT_TRUE(host.liveStyles().isEmpty());
}

TEST(AppsStandardHost, StyleLiesAtTheAddressOfTheObjectsStylePart) {
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(kModule));
    IVelUnknown* object = host.createObject("MelvoroStyle");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->refCount(), 0);
    void* asMelvoro = nullptr;
    void* asCommon = nullptr;
    ASSERT_TRUE(object->queryInterface("MelvoroStyle", &asMelvoro, 0));
    ASSERT_TRUE(object->queryInterface("CommonAppStyle", &asCommon, 0));
    QStyle* style = static_cast<CommonAppStyle*>(asCommon);
    // QProxyStyle is the first base: the object, its CommonAppStyle part and its QStyle share one address.
    EXPECT_EQ(static_cast<void*>(style), asMelvoro);
    EXPECT_EQ(static_cast<void*>(style), asCommon);
    EXPECT_STREQ(style->metaObject()->className(), "MelvoroStyle");
    EXPECT_TRUE(style->inherits("CommonAppStyle"));
    // Handed out with count 0: the first reference and its release delete it.
    object->addRef();
    object->release();
}

TEST(AppsStandardHost, StylePaintsWithThisHostsLookColours) {
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(kModule));
    ASSERT_TRUE(host.look().setColor("ColorGUIDarker2", QColor(1, 2, 3)));
    std::unique_ptr<QStyle> style(host.createStyle());
    ASSERT_TRUE(style);
    const QImage image = renderToolBar(style.get());
    EXPECT_EQ(QColor(image.pixel(196, 28)), QColor(1, 2, 3));
    EXPECT_GT(host.look().asks("ColorGUIDarker2"), 0);
}

TEST(AppsStandardHost, ThemeFileChangesTheColours) {
    QTemporaryFile theme;
    ASSERT_TRUE(theme.open());
    theme.write("ColorGUIDarker2 = #102030\n");
    theme.flush();
    VelStandardHost host;
    ASSERT_TRUE(host.loadTheme(theme.fileName())) << qPrintable(host.errorString());
    ASSERT_TRUE(host.loadModule(kModule));
    std::unique_ptr<QStyle> style(host.createStyle());
    ASSERT_TRUE(style);
    EXPECT_EQ(QColor(renderToolBar(style.get()).pixel(196, 28)), QColor(0x10, 0x20, 0x30));
    EXPECT_FALSE(host.loadTheme("/nonexistent/x.theme"));
    EXPECT_TRUE(host.errorString().contains("/nonexistent/x.theme"));
}

TEST(AppsStandardHost, ModuleReportsReachTheListener) {
    VelStandardHost host;
    QStringList heard;
    host.setErrorListener([&heard](const QString& message) { heard.append(message); });
    ASSERT_TRUE(host.loadModule(kModule));
    IVelCompInternal* internal = host.loader().internal();
    ASSERT_NE(internal, nullptr);
    // Without a test visitor the module says so through the error service.
    internal->runTests(nullptr);
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.first(), "Unable to get test service");
    EXPECT_EQ(host.errorService().reportCount(), heard.size());
}

TEST(AppsStandardHost, WrongPathIsReported) {
    VelStandardHost host;
    EXPECT_FALSE(host.loadModule("/nonexistent/module.so"));
    EXPECT_TRUE(host.errorString().contains("not found")) << qPrintable(host.errorString());
    EXPECT_TRUE(host.errorString().contains("/nonexistent/module.so"));
    EXPECT_EQ(host.createStyle(), nullptr);
    EXPECT_TRUE(host.errorString().contains("No module is loaded")) << qPrintable(host.errorString());
}

TEST(AppsStandardHost, LibraryWithoutEntryPointIsReported) {
    VelStandardHost host;
    EXPECT_FALSE(host.loadModule(MELVORO_NOENTRY_PATH));
    EXPECT_TRUE(host.errorString().contains("no EntryPoint")) << qPrintable(host.errorString());
    EXPECT_FALSE(host.isLoaded());
}

TEST(AppsStandardHost, ModuleWithoutTheStyleIsReported) {
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(MELVORO_NOCLASSES_PATH)) << qPrintable(host.errorString());
    EXPECT_EQ(host.createStyle(), nullptr);
    EXPECT_TRUE(host.errorString().contains("no class \"MelvoroStyle\"")) << qPrintable(host.errorString());
    EXPECT_EQ(host.createObject("Anything"), nullptr);
}

TEST(AppsStandardHost, HostGoingFirstTakesBackTheApplicationStyle) {
    ApplicationStyleGuard guard;
    QPointer<QStyle> watch;
    {
        VelStandardHost host;
        ASSERT_TRUE(host.loadModule(kModule));
        QStyle* style = host.createStyle();
        ASSERT_NE(style, nullptr);
        QApplication::setStyle(style);
        watch = style;
        ASSERT_EQ(QApplication::style(), style);
    }
    // The style is gone with the host; the application paints with a plain style in its place.
    EXPECT_TRUE(watch.isNull());
    ASSERT_NE(QApplication::style(), nullptr);
    EXPECT_TRUE(QApplication::style()->property("velClassName").isNull());
    EXPECT_EQ(QApplication::style()->objectName(), "windows");
    QWidget widget;
    widget.resize(40, 20);
    QImage image(widget.size(), QImage::Format_RGB32);
    widget.render(&image);
}

TEST(AppsStandardHost, ApplicationReplacingTheStyleDeletesIt) {
    ApplicationStyleGuard guard;
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(kModule));
    QStyle* style = host.createStyle();
    ASSERT_NE(style, nullptr);
    QApplication::setStyle(style);
    QPointer<QStyle> watch(style);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(host.liveStyles().isEmpty());
}

TEST(AppsStandardHost, WidgetStylesAreTakenBackWithTheModule) {
    QWidget widget;
    widget.resize(40, 20);
    {
        VelStandardHost host;
        ASSERT_TRUE(host.loadModule(kModule));
        QStyle* style = host.createStyle();
        ASSERT_NE(style, nullptr);
        widget.setStyle(style);
        EXPECT_EQ(widget.style(), style);
    }
    // The widget paints with the application's style again.
    EXPECT_EQ(widget.style(), QApplication::style());
    QImage image(widget.size(), QImage::Format_RGB32);
    widget.render(&image);
}

TEST(AppsStandardHost, LoadingAgainReplacesTheModule) {
    VelStandardHost host;
    ASSERT_TRUE(host.loadModule(kModule));
    QPointer<QStyle> first(host.createStyle());
    ASSERT_FALSE(first.isNull());
    ASSERT_TRUE(host.loadModule(kModule));
    // The styles of the module closed in between are gone; the new module makes new ones.
    EXPECT_TRUE(first.isNull());
    std::unique_ptr<QStyle> second(host.createStyle());
    EXPECT_TRUE(second);
}
