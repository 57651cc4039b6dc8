// Theme detection and the per-user registry file it reads.

#include "platform/registry.h"
#include "style/melvorostyle.h"
#include "style2host.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const themeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

using style2::EnvironmentValue;

// A registry file of its own while the fixture lives.
class Style2Theme : public ::testing::Test {
protected:
    void write(const QByteArray& text) { ASSERT_TRUE(m_registry.write(text)); }
    void writeThemeValue(const QByteArray& line) { ASSERT_TRUE(m_registry.writeThemeValue(line)); }

    style2::RegistryFile m_registry;
};

TEST_F(Style2Theme, OneMeansActive) {
    writeThemeValue("ThemeActive=1");
    EXPECT_TRUE(isThemeActive());
}

TEST_F(Style2Theme, ZeroMeansInactive) {
    writeThemeValue("ThemeActive=0");
    EXPECT_FALSE(isThemeActive());
}

TEST_F(Style2Theme, MissingFileKeyOrValueMeansInactive) {
    EXPECT_FALSE(isThemeActive()) << "no file at all";
    write("[Software\\Microsoft\\Windows\\CurrentVersion\\Other]\nThemeActive=1\n");
    EXPECT_FALSE(isThemeActive()) << "value under another key";
    writeThemeValue("ColorizationColor=1");
    EXPECT_FALSE(isThemeActive()) << "key without the value";
}

TEST_F(Style2Theme, TwoDigitsDoNotFitAndMeanInactive) {
    writeThemeValue("ThemeActive=10");
    EXPECT_FALSE(isThemeActive());
    writeThemeValue("ThemeActive=11");
    EXPECT_FALSE(isThemeActive());
}

TEST_F(Style2Theme, EmptyOrOtherTextMeansInactive) {
    writeThemeValue("ThemeActive=");
    EXPECT_FALSE(isThemeActive());
    writeThemeValue("ThemeActive=2");
    EXPECT_FALSE(isThemeActive());
    writeThemeValue("ThemeActive=x");
    EXPECT_FALSE(isThemeActive());
}

TEST_F(Style2Theme, UnterminatedDataIsNotReadPast) {
    // Two bytes without a terminator fill the buffer exactly: the text is "10", not "1" nor anything past.
    writeThemeValue("ThemeActive=hex:31,30");
    EXPECT_FALSE(isThemeActive());
    // One byte without a terminator reads as the text it holds.
    writeThemeValue("ThemeActive=hex:31");
    EXPECT_TRUE(isThemeActive());
    writeThemeValue("ThemeActive=hex:30");
    EXPECT_FALSE(isThemeActive());
    writeThemeValue("ThemeActive=hex:31,00");
    EXPECT_TRUE(isThemeActive());
}

TEST_F(Style2Theme, ChangeBetweenTwoCallsIsSeen) {
    writeThemeValue("ThemeActive=1");
    EXPECT_TRUE(isThemeActive());
    writeThemeValue("ThemeActive=0");
    EXPECT_FALSE(isThemeActive());
    writeThemeValue("ThemeActive=1");
    EXPECT_TRUE(isThemeActive());
}

TEST_F(Style2Theme, NamesIgnoreCaseAndBlanks) {
    write("; the theme manager\n"
          "  [software\\MICROSOFT\\Windows\\CurrentVersion\\thememanager]  \r\n"
          "  themeactive  =  1  \r\n");
    EXPECT_TRUE(isThemeActive());
}

// The registry read itself: the size contract that the theme test builds on.
TEST_F(Style2Theme, RegistryReportsLengthAndRefusesDataThatDoesNotFit) {
    writeThemeValue("ThemeActive=10");
    char buffer[4] = {'x', 'x', 'x', 'x'};
    uint32_t size = 2;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 3u) << "the length it needs, terminator included";
    EXPECT_EQ(buffer[0], 'x') << "nothing is written when the data does not fit";

    size = sizeof buffer;
    ASSERT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, "ThemeActive", buffer, &size));
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(buffer, "10");

    size = 0;
    EXPECT_TRUE(velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, "ThemeActive", nullptr, &size));
    EXPECT_EQ(size, 3u) << "a null buffer asks only for the length";
}

TEST_F(Style2Theme, RegistryRefusesNullArgumentsAndMalformedBytes) {
    writeThemeValue("ThemeActive=1");
    char buffer[2];
    uint32_t size = 2;
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, nullptr, "ThemeActive", buffer, &size));
    EXPECT_FALSE(velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, nullptr, buffer, &size));
    EXPECT_FALSE(
        velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, "ThemeActive", buffer, nullptr));

    for (const char* line :
         {"ThemeActive=hex:3", "ThemeActive=hex:31,", "ThemeActive=hex:zz", "ThemeActive=hex:310"}) {
        writeThemeValue(line);
        size = 2;
        EXPECT_FALSE(
            velReadRegistryValue(VelRegistryHive::CurrentUser, themeKey, "ThemeActive", buffer, &size))
            << line;
    }
}

TEST(Style2RegistryPath, OverrideThenConfigHomeThenHome) {
    EnvironmentValue home("HOME", "/home/someone");
    {
        EnvironmentValue overrideFile("MELVORO_REGISTRY_FILE", "/tmp/elsewhere.ini");
        EnvironmentValue config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(velRegistryFilePath(), "/tmp/elsewhere.ini");
    }
    {
        EnvironmentValue overrideFile("MELVORO_REGISTRY_FILE", "");
        EnvironmentValue config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(velRegistryFilePath(), "/cfg/melvoro/registry.ini");
    }
    {
        EnvironmentValue overrideFile("MELVORO_REGISTRY_FILE", nullptr);
        EnvironmentValue config("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(velRegistryFilePath(), "/home/someone/.config/melvoro/registry.ini")
            << "a relative config home is ignored";
    }
    {
        EnvironmentValue overrideFile("MELVORO_REGISTRY_FILE", nullptr);
        EnvironmentValue config("XDG_CONFIG_HOME", nullptr);
        EnvironmentValue noHome("HOME", nullptr);
        EXPECT_EQ(velRegistryFilePath(), "");
        EXPECT_FALSE(isThemeActive()) << "no registry file can be named";
    }
}

TEST(Style2RegistryPath, ThemeIsReadFromTheConfigHome) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("melvoro"));
    QFile file(dir.filePath("melvoro/registry.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\nThemeActive=1\n");
    file.close();
    EnvironmentValue overrideFile("MELVORO_REGISTRY_FILE", nullptr);
    EnvironmentValue config("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    EXPECT_TRUE(isThemeActive());
}

} // namespace
