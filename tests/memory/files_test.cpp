// The platform's file calls on host-form paths, and the process facts used in swap file names.

#include "platform/files.h"
#include "platform/sysinfo.h"

#include "memorytesthost.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

#if defined(_WIN32)
#include <process.h>
#else
#include <unistd.h>
#endif

namespace {

std::u16string hostPath(const std::string& path) {
    std::u16string out;
    for (char c : path)
        out += c == '/' ? u'\\' : char16_t(static_cast<unsigned char>(c));
    return out;
}

class MemoryFiles : public ::testing::Test {
protected:
    void SetUp() override {
        directory = scratchDirectory(std::string("files-") +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string directory;
};

} // namespace

TEST(MemoryFilePaths, BackslashesBecomeTheSystemsSeparatorAndTextBecomesUtf8) {
#if defined(_WIN32)
    const std::string sep = "\\";
#else
    const std::string sep = "/";
#endif
    EXPECT_EQ(velFileSystemPath(u"C:\\dir\\file-temp"), "C:" + sep + "dir" + sep + "file-temp");
    EXPECT_EQ(velFileSystemPath(u"\\tmp\\\u00e4\u20ac"), sep + "tmp" + sep + "\xc3\xa4\xe2\x82\xac");
    EXPECT_EQ(velFileSystemPath(u"\U0001F600"), "\xf0\x9f\x98\x80");
    // Halves of a pair on their own are not text.
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ(velFileSystemPath(lone), "a\xef\xbf\xbd"
                                       "b\xef\xbf\xbd");
    EXPECT_EQ(velFileSystemPath(nullptr), "");
}

TEST_F(MemoryFiles, ATemporaryFileIsNewAndForItsOwnerOnly) {
    const std::u16string path = hostPath(directory + "/swap");
    bool taken = true;
#if defined(_WIN32)
    // Windows has no owner-only mode bits; there the file lives while it is open and goes at its close.
    const int fd = velFileOpenTemporary(path.c_str(), &taken);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(taken);
    EXPECT_EQ(directoryEntries(directory), std::vector<std::string>{"swap"});
    EXPECT_EQ(velFileClose(fd), 0);
    EXPECT_TRUE(directoryEntries(directory).empty());
#else
    const mode_t old = umask(0);
    const int fd = velFileOpenTemporary(path.c_str(), &taken);
    umask(old);
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(taken);
    struct stat info {};
    ASSERT_EQ(stat((directory + "/swap").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(velFileClose(fd), 0);
#endif

    // The name is taken now: a second open fails and says so, and the file stays as it is.
    writeFile(directory + "/swap", "KEEP");
    EXPECT_EQ(velFileOpenTemporary(path.c_str(), &taken), -1);
    EXPECT_TRUE(taken);
    EXPECT_EQ(readFile(directory + "/swap"), "KEEP");
}

TEST_F(MemoryFiles, ALinkAtTheNameIsNeverFollowed) {
#if defined(_WIN32)
    GTEST_SKIP() << "symbolic links need a privilege on Windows; the exclusive create never opens an "
                    "existing name there";
#else
    const std::string target = directory + "/target";
    writeFile(target, "TARGET");
    ASSERT_EQ(symlink(target.c_str(), (directory + "/link").c_str()), 0);
    ASSERT_EQ(symlink((directory + "/nowhere").c_str(), (directory + "/dangling").c_str()), 0);
    bool taken = false;
    EXPECT_EQ(velFileOpenTemporary(hostPath(directory + "/link").c_str(), &taken), -1);
    EXPECT_TRUE(taken);
    taken = false;
    EXPECT_EQ(velFileOpenTemporary(hostPath(directory + "/dangling").c_str(), &taken), -1);
    EXPECT_TRUE(taken);
    EXPECT_EQ(readFile(target), "TARGET");
    struct stat info {};
    EXPECT_NE(lstat((directory + "/nowhere").c_str(), &info), 0);

    // Deleting the link deletes the link only.
    EXPECT_EQ(velFileUnlink(hostPath(directory + "/link").c_str()), 0);
    EXPECT_EQ(readFile(target), "TARGET");
#endif
}

TEST_F(MemoryFiles, FailuresAreAnswersNotCrashes) {
    bool taken = true;
    EXPECT_EQ(velFileOpenTemporary(hostPath(directory + "/missing/swap").c_str(), &taken), -1);
    EXPECT_FALSE(taken);
    EXPECT_EQ(velFileOpenTemporary(nullptr, &taken), -1);
    EXPECT_EQ(velFileOpenTemporary(u"", nullptr), -1);
    EXPECT_EQ(velFileWrite(-1, "x", 1), -1);
    EXPECT_EQ(velFileRead(-1, nullptr, 0), -1);
    EXPECT_EQ(velFileSeek(-1, 0, VelSeekSet), -1);
    EXPECT_EQ(velFileClose(-1), -1);
    EXPECT_EQ(velFileUnlink(nullptr), -1);
    EXPECT_EQ(velFileUnlink(hostPath(directory + "/absent").c_str()), -1);
}

TEST_F(MemoryFiles, WhatIsWrittenIsReadBackFromTheStart) {
    const std::u16string path = hostPath(directory + "/data");
    const int fd = velFileOpenTemporary(path.c_str(), nullptr);
    ASSERT_GE(fd, 0);
    std::string data(3 * 1024 * 1024 + 7, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 7 + i / 251);
    EXPECT_EQ(velFileWrite(fd, data.data(), int64_t(data.size())), int64_t(data.size()));
    EXPECT_EQ(velFileSeek(fd, 0, VelSeekSet), 0);
    std::string back(data.size(), '\0');
    EXPECT_EQ(velFileRead(fd, &back[0], int64_t(back.size())), int64_t(back.size()));
    EXPECT_EQ(back, data);
    // At the end there is nothing more to read.
    char extra[4];
    EXPECT_EQ(velFileRead(fd, extra, 4), 0);
    EXPECT_EQ(velFileClose(fd), 0);
#if defined(_WIN32)
    // The system deleted it at its close.
    EXPECT_EQ(velFileUnlink(path.c_str()), -1);
#else
    EXPECT_EQ(velFileUnlink(path.c_str()), 0);
#endif
    EXPECT_TRUE(directoryEntries(directory).empty());
}

TEST(MemoryProcessFacts, TheProcessIdAndACounterThatOnlyMovesForward) {
#if defined(_WIN32)
    EXPECT_EQ(velProcessId(), uint32_t(_getpid()));
#else
    EXPECT_EQ(velProcessId(), uint32_t(getpid()));
#endif
    uint64_t previous = velPerformanceCounter();
    EXPECT_GT(previous, 0u);
    for (int i = 0; i < 1000; ++i) {
        const uint64_t now = velPerformanceCounter();
        ASSERT_GE(now, previous);
        previous = now;
    }
}
