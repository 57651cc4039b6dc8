// VelModuleLoader: opening modules by path, its error reports, and the readers of a component's identity.

#include "host/moduleloader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kModule = QStringLiteral(MELVORO_MODULE_PATH);

} // namespace

TEST(HostLoader, MissingFileIsReportedAsSuch) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    VelModuleLoader loader;
    const QString path = dir.filePath(QStringLiteral("absent.so"));
    EXPECT_FALSE(loader.load(path));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.component(), nullptr);
    EXPECT_EQ(loader.version(), 0);
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("not found")))
        << qPrintable(loader.errorString());
    EXPECT_TRUE(loader.errorString().contains(path));
    EXPECT_FALSE(loader.load(QString()));
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("not found")));
}

TEST(HostLoader, DirectoryIsNotAModule) {
    QTemporaryDir dir;
    VelModuleLoader loader;
    EXPECT_FALSE(loader.load(dir.path()));
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("not a file")))
        << qPrintable(loader.errorString());
}

TEST(HostLoader, FileThatIsNotALibraryIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.so"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a shared library\n");
    file.close();
    VelModuleLoader loader;
    EXPECT_FALSE(loader.load(path));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_TRUE(loader.errorString().startsWith(QStringLiteral("Cannot load module")))
        << qPrintable(loader.errorString());
}

TEST(HostLoader, LibraryWithoutEntryPointIsRefused) {
    VelModuleLoader loader;
    EXPECT_FALSE(loader.load(QStringLiteral(MELVORO_NOENTRY_LIBRARY_PATH)));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("has no EntryPoint")))
        << qPrintable(loader.errorString());
}

TEST(HostLoader, EntryPointThatFailsIsReported) {
    VelModuleLoader loader;
    EXPECT_FALSE(loader.load(QStringLiteral(MELVORO_REFUSING_MODULE_PATH)));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("EntryPoint")))
        << qPrintable(loader.errorString());
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("failed")));
}

TEST(HostLoader, LoadsTheModuleAndHoldsTheFirstReference) {
    VelModuleLoader loader;
    ASSERT_TRUE(loader.load(kModule)) << qPrintable(loader.errorString());
    EXPECT_TRUE(loader.isLoaded());
    EXPECT_TRUE(loader.errorString().isEmpty());
    EXPECT_EQ(loader.version(), 100);
    ASSERT_NE(loader.component(), nullptr);
    EXPECT_EQ(loader.component()->refCount(), 1);
    EXPECT_NE(loader.internal(), nullptr);
    EXPECT_NE(loader.symbol("EntryPoint"), nullptr);
    EXPECT_EQ(loader.symbol("velComponentFactory"), nullptr);
    loader.unload();
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.component(), nullptr);
    EXPECT_EQ(loader.version(), 0);
    EXPECT_EQ(loader.symbol("EntryPoint"), nullptr);
    loader.unload();
}

TEST(HostLoader, AFailedLoadLeavesNothingOfTheEarlierModule) {
    VelModuleLoader loader;
    ASSERT_TRUE(loader.load(kModule));
    EXPECT_FALSE(loader.load(QStringLiteral(MELVORO_NOENTRY_LIBRARY_PATH)));
    EXPECT_FALSE(loader.isLoaded());
    EXPECT_EQ(loader.component(), nullptr);
    ASSERT_TRUE(loader.load(kModule));
    EXPECT_TRUE(loader.isLoaded());
}

TEST(HostLoader, ReadersOfAnEmptyLoaderAnswerEmpty) {
    VelModuleLoader loader;
    EXPECT_EQ(loader.internal(), nullptr);
    EXPECT_EQ(loader.componentName(), QString());
    EXPECT_EQ(loader.buildStamp(), QString());
    EXPECT_EQ(loader.componentId(), VelID());
    EXPECT_TRUE(loader.classIds().isEmpty());
    EXPECT_FALSE(loader.findClass(QStringLiteral("MelvoroStyle"), nullptr));
    EXPECT_EQ(loader.symbol("EntryPoint"), nullptr);
}
