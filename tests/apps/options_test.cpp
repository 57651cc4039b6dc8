// The gallery's command line.

#include "apps/gallery/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(GalleryOptions, NoArgumentsGiveTheDefaults) {
    GalleryOptions options;
    QString error;
    ASSERT_TRUE(parseGalleryOptions({}, options, error));
    EXPECT_TRUE(options.modulePath.isEmpty());
    EXPECT_TRUE(options.themeFile.isEmpty());
    EXPECT_TRUE(options.screenshotPath.isEmpty());
    EXPECT_FALSE(options.rightToLeft);
    EXPECT_FALSE(options.compare);
}

TEST(GalleryOptions, EveryOptionIsRead) {
    GalleryOptions options;
    QString error;
    ASSERT_TRUE(parseGalleryOptions({"--module", "/m.so", "--theme", "t.theme", "--rtl", "--screenshot",
                                     "s.png", "--geometry", "g.json", "--compare"},
                                    options, error))
        << qPrintable(error);
    EXPECT_EQ(options.modulePath, "/m.so");
    EXPECT_EQ(options.themeFile, "t.theme");
    EXPECT_TRUE(options.rightToLeft);
    EXPECT_EQ(options.screenshotPath, "s.png");
    EXPECT_EQ(options.geometryPath, "g.json");
    EXPECT_TRUE(options.compare);
}

TEST(GalleryOptions, MissingValueIsAnError) {
    GalleryOptions options;
    QString error;
    EXPECT_FALSE(parseGalleryOptions({"--module"}, options, error));
    EXPECT_TRUE(error.contains("--module")) << qPrintable(error);
    // An option's value cannot be empty either.
    EXPECT_FALSE(parseGalleryOptions({"--screenshot", ""}, options, error));
    EXPECT_TRUE(error.contains("--screenshot")) << qPrintable(error);
}

TEST(GalleryOptions, UnknownOptionIsAnError) {
    GalleryOptions options;
    QString error;
    EXPECT_FALSE(parseGalleryOptions({"--rtl", "--shiny"}, options, error));
    EXPECT_TRUE(error.contains("--shiny")) << qPrintable(error);
}

TEST(GalleryOptions, GeometryNeedsAScreenshot) {
    GalleryOptions options;
    QString error;
    EXPECT_FALSE(parseGalleryOptions({"--geometry", "g.json"}, options, error));
    EXPECT_TRUE(error.contains("--screenshot")) << qPrintable(error);
}

TEST(GalleryOptions, ScreenshotIsSeenBeforeTheToolkitStarts) {
    char program[] = "gallery";
    char rtl[] = "--rtl";
    char shot[] = "--screenshot";
    char file[] = "x.png";
    char* with[] = {program, rtl, shot, file, nullptr};
    char* without[] = {program, rtl, nullptr};
    EXPECT_TRUE(wantsScreenshot(4, with));
    EXPECT_FALSE(wantsScreenshot(2, without));
}

TEST(GalleryOptions, ModeIsHostOrApplication) {
    GalleryOptions options;
    QString error;
    ASSERT_TRUE(parseGalleryOptions({}, options, error));
    EXPECT_FALSE(options.applicationMode);
    ASSERT_TRUE(parseGalleryOptions({"--mode", "application"}, options, error)) << qPrintable(error);
    EXPECT_TRUE(options.applicationMode);
    ASSERT_TRUE(parseGalleryOptions({"--mode", "host"}, options, error));
    EXPECT_FALSE(options.applicationMode);
    EXPECT_FALSE(parseGalleryOptions({"--mode", "both"}, options, error));
    EXPECT_TRUE(error.contains("host or application")) << qPrintable(error);
    EXPECT_FALSE(parseGalleryOptions({"--mode"}, options, error));
}

TEST(GalleryOptions, StyleIsTakenOutBeforeTheToolkitSeesIt) {
    const struct {
        std::vector<std::string> arguments;
        bool ok;
        const char* name;
        std::vector<std::string> left;
    } cases[] = {
        {{"gallery", "--style", "Fusion", "--rtl"}, true, "Fusion", {"gallery", "--rtl"}},
        {{"gallery", "--rtl"}, true, "", {"gallery", "--rtl"}},
        {{"gallery", "--style", "A", "--style", "B"}, true, "B", {"gallery"}},
        {{"gallery", "--style"}, false, "", {"gallery", "--style"}},
        {{"gallery", "--style", ""}, false, "", {"gallery", "--style", ""}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> storage = c.arguments;
        std::vector<char*> argv;
        for (std::string& a : storage)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int argc = int(storage.size());
        QString name, error;
        EXPECT_EQ(takeStyleOption(argc, argv.data(), name, error), c.ok) << c.arguments.size();
        EXPECT_EQ(name, QLatin1String(c.name));
        EXPECT_EQ(error.contains("--style"), !c.ok) << qPrintable(error);
        ASSERT_EQ(argc, int(c.left.size()));
        for (int i = 0; i < argc; ++i)
            EXPECT_EQ(argv[i], c.left[i]);
    }
}
