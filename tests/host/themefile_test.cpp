// Theme files and translation tables as they come from users: byte order marks, NUL bytes, things that
// are no regular file, and files too large to be a theme.

#include "host/lookservice.h"
#include "host/translatorservice.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <future>
#include <sys/stat.h>

namespace {

class HostThemeFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString write(const QByteArray& text) {
        const QString path = m_dir.filePath(QStringLiteral("look.theme"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(text), text.size());
        return path;
    }
    // Loads the file and expects it refused with a message holding `reason`, the colours unchanged.
    void expectRefused(const QString& path, const char* reason) {
        m_look.setColor("ColorGUI", QColor(1, 2, 3));
        EXPECT_FALSE(m_look.loadTheme(path)) << qPrintable(path);
        EXPECT_TRUE(m_look.errorString().contains(QLatin1String(reason))) << qPrintable(m_look.errorString());
        EXPECT_EQ(m_look.color("ColorGUI"), QColor(1, 2, 3));
    }

    QTemporaryDir m_dir;
    VelHostLook m_look;
};

TEST_F(HostThemeFile, AByteOrderMarkIsAccepted) {
    ASSERT_TRUE(m_look.loadTheme(write("\xEF\xBB\xBF"
                                       "ColorGUI = #e4eae4\n")))
        << qPrintable(m_look.errorString());
    EXPECT_EQ(m_look.color("ColorGUI"), QColor(0xe4, 0xea, 0xe4));
    ASSERT_TRUE(m_look.loadThemeText("\xEF\xBB\xBF# only a comment\n"));
    // Only at the very start: a mark further on is part of the text.
    EXPECT_FALSE(m_look.loadThemeText("ColorGUI = #e4eae4\n\xEF\xBB\xBF"
                                      "ColorGUI = #e4eae4\n"));
}

TEST_F(HostThemeFile, ANulByteAnywhereIsRefusedWithItsLine) {
    const struct {
        QByteArray text;
        const char* line;
    } cases[] = {
        {QByteArray("ColorGUI\0= #e4eae4\n", 19), "line 1"},
        {QByteArray("ColorGUI = #e4eae4\0\n", 20), "line 1"},
        {QByteArray("# fine\n# a comment\0with a NUL\n", 30), "line 2"},
        {QByteArray("\0", 1), "line 1"},
    };
    for (const auto& c : cases) {
        m_look.setColor("ColorGUI", QColor(1, 2, 3));
        EXPECT_FALSE(m_look.loadThemeText(c.text));
        EXPECT_TRUE(m_look.errorString().contains(QLatin1String(c.line))) << qPrintable(m_look.errorString());
        EXPECT_TRUE(m_look.errorString().contains(QLatin1String("NUL"))) << qPrintable(m_look.errorString());
        EXPECT_EQ(m_look.color("ColorGUI"), QColor(1, 2, 3));
    }
    expectRefused(write(cases[0].text), "NUL");
}

TEST_F(HostThemeFile, WhatIsNoRegularFileIsRefusedWithoutReadingIt) {
    expectRefused(QStringLiteral("/dev/zero"), "not a regular file");
    expectRefused(m_dir.path(), "not a regular file");
    expectRefused(m_dir.filePath(QStringLiteral("missing.theme")), "no such file");
    // A pipe without a writer would block an ordinary open for ever.
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.theme"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    auto load = std::async(std::launch::async, [this, &fifo] { return m_look.loadTheme(fifo); });
    if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        QFile writer(fifo); // lets the blocked open go on, so that the test ends
        writer.open(QIODevice::WriteOnly);
        writer.close();
        FAIL() << "loading a theme from a pipe blocked";
    }
    EXPECT_FALSE(load.get());
    EXPECT_TRUE(m_look.errorString().contains(QLatin1String("not a regular file")));
}

// The translation table file goes through the same door: a regular file of bounded size, or nothing.
TEST_F(HostThemeFile, TranslationTablesAreReadOnlyFromBoundedRegularFiles) {
    VelHostTranslator* table = new VelHostTranslator;
    table->addRef();
    int added = -1;
    EXPECT_TRUE(table->load(write("# a table\nOpen\tOuvrir\nSave\tEnregistrer"), &added));
    EXPECT_EQ(added, 2);
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.table"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/dev/zero"), m_dir.path(), fifo}) {
        auto load = std::async(std::launch::async, [table, &path] { return table->load(path); });
        ASSERT_EQ(load.wait_for(std::chrono::seconds(10)), std::future_status::ready) << qPrintable(path);
        EXPECT_FALSE(load.get()) << qPrintable(path);
    }
    QFile big(m_dir.filePath(QStringLiteral("big.table")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(VelHostTranslator::MaxTableBytes + 1));
    big.close();
    EXPECT_FALSE(table->load(big.fileName(), &added));
    EXPECT_EQ(added, 0);
    EXPECT_EQ(table->entryCount(), 2);
    table->release();
}

TEST_F(HostThemeFile, SizeIsCappedAtOneMebibyte) {
    // A valid theme padded with comment lines up to the cap loads; one byte more does not.
    QByteArray text("ColorGUI = #102030\n");
    const QByteArray comment = "# " + QByteArray(77, 'x') + "\n";
    while (text.size() + comment.size() <= VelHostLook::MaxThemeBytes)
        text += comment;
    text += QByteArray(VelHostLook::MaxThemeBytes - text.size() - 1, '#') + "\n";
    ASSERT_EQ(text.size(), VelHostLook::MaxThemeBytes);
    ASSERT_TRUE(m_look.loadTheme(write(text))) << qPrintable(m_look.errorString());
    EXPECT_EQ(m_look.color("ColorGUI"), QColor(0x10, 0x20, 0x30));

    expectRefused(write(text + "\n"), "larger than 1 MiB");
    EXPECT_FALSE(m_look.loadThemeText(text + "\n"));
    EXPECT_TRUE(m_look.errorString().contains(QLatin1String("larger than 1 MiB")));
}

TEST_F(HostThemeFile, MessagesShowOnlyTheStartOfALongLine) {
    EXPECT_FALSE(m_look.loadThemeText("Color" + QByteArray(100000, 'x') + " = #102030\n"));
    EXPECT_LT(m_look.errorString().size(), 120) << qPrintable(m_look.errorString());
    EXPECT_TRUE(m_look.errorString().contains(QLatin1String("line 1: unknown look colour \"Colorxxx")));
}

} // namespace
