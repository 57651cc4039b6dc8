// The per-user registry file as it may be found: a device, a pipe, a directory, a huge file, a file
// rewritten between two paints; and the reuse of the last read while the file is unchanged.

#include "platform/registry.h"
#include "style/melvorostyle.h"
#include "style2host.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using style2::EnvironmentValue;

const QByteArray themeSection = "[Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n";

// Answers isThemeActive() for the registry file at path, failing the test (not hanging it) when the
// call does not come back within a few seconds.
bool themeActiveWithin(const QString& path, bool* cameBack) {
    EnvironmentValue file("MELVORO_REGISTRY_FILE", QFile::encodeName(path).constData());
    auto answer = std::async(std::launch::async, [] { return isThemeActive(); });
    *cameBack = answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!*cameBack) {
        // A reader blocked on a pipe goes on once a writer has come and gone.
        const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return answer.get();
}

// The modification time of the file at path.
timespec modifiedAt(const QString& path) {
    struct stat status {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_mtim;
}

// Sets the file's modification time (its change time becomes now).
void setModified(const QString& path, const timespec& modified) {
    const timespec times[2] = {modified, modified};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Waits until the file's last change lies more than the file system's coarsest time step (2 s) back:
// from then on its last read may be reused.
void waitUntilSettled(const QString& path) {
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    while (::time(nullptr) <= status.st_ctim.tv_sec + 2)
        ::usleep(50 * 1000);
}

class Style2RegistryFile : public ::testing::Test {
protected:
    void write(const QByteArray& text) { ASSERT_TRUE(m_registry.write(text)); }

    style2::RegistryFile m_registry;
};

TEST_F(Style2RegistryFile, DevicesPipesAndDirectoriesReadAsNoFile) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("registry.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path :
         {QStringLiteral("/dev/zero"), QStringLiteral("/dev/urandom"), fifo, dir.path()}) {
        bool cameBack = false;
        EXPECT_FALSE(themeActiveWithin(path, &cameBack)) << qPrintable(path);
        EXPECT_TRUE(cameBack) << "reading " << qPrintable(path) << " blocked";
    }
}

TEST_F(Style2RegistryFile, AFileLargerThanTheCapReadsAsNoFile) {
    // The value comes first; padding comment lines fill the file up to exactly the cap.
    QByteArray text = themeSection + "ThemeActive=1\n";
    text += QByteArray(int(kVelRegistryFileMaxBytes) - text.size() - 1, ';') + "\n";
    write(text);
    EXPECT_TRUE(isThemeActive());
    write(text + ";");
    EXPECT_FALSE(isThemeActive());
    write(text + QByteArray(100 << 20, ';'));
    EXPECT_FALSE(isThemeActive()) << "100 MB";
}

TEST_F(Style2RegistryFile, AnUnchangedFileIsReadOnceAndEveryChangeIsSeen) {
    write(themeSection + "ThemeActive=1\n");
    waitUntilSettled(m_registry.path());
    const uint64_t before = velRegistryFileReads();
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(isThemeActive());
    EXPECT_EQ(velRegistryFileReads(), before + 1);

    // Rewritten in place to the same size, even with the old modification time put back: seen.
    const timespec modified = modifiedAt(m_registry.path());
    write(themeSection + "ThemeActive=0\n");
    setModified(m_registry.path(), modified);
    EXPECT_FALSE(isThemeActive());
    EXPECT_EQ(velRegistryFileReads(), before + 2);

    // Replaced by another file under the same name: seen.
    QFile other(m_registry.path() + ".new");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write(themeSection + "ThemeActive=1\n");
    other.close();
    ASSERT_EQ(::rename(QFile::encodeName(other.fileName()).constData(),
                       QFile::encodeName(m_registry.path()).constData()),
              0);
    EXPECT_TRUE(isThemeActive());

    // Gone: no answer from the last read.
    ASSERT_TRUE(QFile::remove(m_registry.path()));
    EXPECT_FALSE(isThemeActive());
}

TEST_F(Style2RegistryFile, AFileJustWrittenIsReadAgainUntilItSettles) {
    // Two writes inside one tick of the file system's clock can leave the same stamp: a fresh file is
    // not answered from its last read.
    write(themeSection + "ThemeActive=1\n");
    const uint64_t before = velRegistryFileReads();
    EXPECT_TRUE(isThemeActive());
    EXPECT_TRUE(isThemeActive());
    EXPECT_EQ(velRegistryFileReads(), before + 2);
    write(themeSection + "ThemeActive=0\n");
    EXPECT_FALSE(isThemeActive());
}

} // namespace
