// VelModuleLoader: opening modules by path, its error reports, and the readers of a component's identity.

#include "host/moduleloader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <elf.h>

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

namespace {

QByteArray builtModule() {
    QFile file(kModule);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the last segment the linker maps ends in the module file (debug sections may follow it).
int loadedEnd(const QByteArray& module) {
    const auto* header = reinterpret_cast<const Elf64_Ehdr*>(module.constData());
    const auto* segments = reinterpret_cast<const Elf64_Phdr*>(module.constData() + header->e_phoff);
    uint64_t end = 0;
    for (int i = 0; i < header->e_phnum; ++i)
        if (segments[i].p_type == PT_LOAD)
            end = std::max<uint64_t>(end, segments[i].p_offset + segments[i].p_filesz);
    return int(end);
}

QString writeCopy(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

// Runs the loader with the working directory set to `dir`.
class InDirectory {
public:
    explicit InDirectory(const QString& dir) : m_previous(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~InDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

// A damaged module file is refused in plain words before the dynamic linker maps any of it (a linker
// that maps a truncated file dies of SIGBUS on the first page past its end).
TEST(HostLoader, DamagedModuleFilesAreRefusedBeforeTheLinkerSeesThem) {
    const QByteArray module = builtModule();
    ASSERT_GT(module.size(), 4096);
    QByteArray otherMachine = module;
    otherMachine[18] = char(183); // ARM64
    otherMachine[19] = 0;
    QByteArray notShared = module;
    notShared[16] = 2; // an executable
    const struct {
        const char* name;
        QByteArray bytes;
        const char* says;
    } cases[] = {
        {"half.so", module.left(loadedEnd(module) / 2), "damaged or incomplete"},
        {"headeronly.so", module.left(64), "damaged or incomplete"},
        {"short-header.so", module.left(30), "damaged or incomplete"},
        {"arm.so", otherMachine, "built for another machine (ARM64 (64-bit), little-endian)"},
        {"executable.so", notShared, "not a shared library"},
        {"empty.so", QByteArray(), "not a shared library"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = writeCopy(dir, QString::fromLatin1(c.name), c.bytes);
        ASSERT_FALSE(path.isEmpty());
        VelModuleLoader loader;
        EXPECT_FALSE(loader.load(path));
        EXPECT_FALSE(loader.isLoaded());
        const QString error = loader.errorString();
        EXPECT_TRUE(error.startsWith(QStringLiteral("Cannot load module ") + path)) << qPrintable(error);
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.says))) << qPrintable(error);
    }
    // The whole file still loads.
    VelModuleLoader loader;
    EXPECT_TRUE(loader.load(writeCopy(dir, QStringLiteral("whole.so"), module)))
        << qPrintable(loader.errorString());
}

// A path without a slash names a file in the working directory, and that file is what gets loaded,
// never a library of that name from the linker's search path.
TEST(HostLoader, APathWithoutASlashLoadsTheFileInTheWorkingDirectory) {
    QTemporaryDir dir;
    const QByteArray module = builtModule();
    ASSERT_FALSE(writeCopy(dir, QStringLiteral("module.so"), module).isEmpty());
    // Named like a system library that is loaded in this process already.
    ASSERT_FALSE(writeCopy(dir, QStringLiteral("libm.so.6"), module).isEmpty());
    InDirectory here(dir.path());
    for (const char* name : {"module.so", "libm.so.6"}) {
        SCOPED_TRACE(name);
        VelModuleLoader loader;
        ASSERT_TRUE(loader.load(QString::fromLatin1(name))) << qPrintable(loader.errorString());
        EXPECT_EQ(loader.componentName(), QStringLiteral("MelvoroGUI"));
        EXPECT_NE(loader.symbol("EntryPoint"), nullptr);
    }
    VelModuleLoader loader;
    EXPECT_FALSE(loader.load(QStringLiteral("libc.so.6")));
    EXPECT_TRUE(loader.errorString().contains(QStringLiteral("not found")))
        << qPrintable(loader.errorString());
}
