// The look service's lookup of colour names: every name finds its own colour, near misses find none,
// and asking allocates nothing and reads no further into a name than the longest colour name.

#include "host/lookservice.h"
#include "style/support/allocationcounter.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

TEST(StyleLookLookup, EveryNameFindsItsOwnColour) {
    VelHostLook look;
    for (int i = 0; i < VelHostLook::ColorCount; ++i) {
        // A copy of the name, so nothing depends on the address of the table's text.
        const QByteArray name(VelHostLook::colorName(i));
        EXPECT_EQ(VelHostLook::colorIndex(name.constData()), i) << name.constData();
        const QColor distinct(i * 20, 255 - i * 20, 7);
        ASSERT_TRUE(look.setColor(name.constData(), distinct));
    }
    for (int i = 0; i < VelHostLook::ColorCount; ++i) {
        const QByteArray name(VelHostLook::colorName(i));
        QColor color;
        EXPECT_EQ(look.widgetColor(PooledName::borrowed(name.constData()), color, nullptr), 1);
        EXPECT_EQ(color, QColor(i * 20, 255 - i * 20, 7)) << name.constData();
        EXPECT_EQ(look.asks(name.constData()), 1) << name.constData();
    }
    EXPECT_EQ(look.unknownAsks(), 0);
}

TEST(StyleLookLookup, NearMissesFindNothing) {
    // Same length and last character as a colour name, other text; one character more or less; case.
    const char* const misses[] = {
        "XolorGUI",
        "ColorGU",
        "ColorGUI ",
        "colorGUI",
        "ColorGUIDarker3",
        "ColorGUIDarker",
        "ColorGUIDarker12",
        "ColorGUILighter3",
        "ColorButtonHoveR",
        "ColorButtonXover",
        "ColorButtonShadE",
        "ColorGUIXighter1",
        "ColorButtonRaise",
        "ColorButtonRaisedd",
        "ColorButtonSelecteX",
        "ColorButtonSelected ",
        "",
        "ColorGUI\nColorGUI",
        "ColorButtonShade\t",
    };
    VelHostLook look;
    for (const char* name : misses) {
        EXPECT_EQ(VelHostLook::colorIndex(name), -1) << '"' << name << '"';
        QColor color(1, 2, 3);
        EXPECT_EQ(look.lookColor(PooledName::borrowed(name), color), 0) << name;
        EXPECT_EQ(color, QColor(1, 2, 3)) << name;
        EXPECT_FALSE(look.color(name).isValid()) << name;
        EXPECT_FALSE(look.setColor(name, Qt::red)) << name;
        EXPECT_EQ(look.asks(name), 0) << name;
    }
    EXPECT_EQ(look.unknownAsks(), int(sizeof misses / sizeof misses[0]));
    EXPECT_EQ(look.totalAsks(), look.unknownAsks());
    EXPECT_EQ(VelHostLook::colorIndex(nullptr), -1);
}

TEST(StyleLookLookup, ALongNameIsReadNoFurtherThanTheLongestColourName) {
    // A name that runs right up to an inaccessible page: no terminator within reach. A lookup that
    // measured the whole name would fault.
    const long page = sysconf(_SC_PAGESIZE);
    ASSERT_GT(page, 0);
    void* memory =
        mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(memory, MAP_FAILED);
    char* pages = static_cast<char*>(memory);
    ASSERT_EQ(mprotect(pages + page, size_t(page), PROT_NONE), 0);
    const int length = 40;
    char* name = pages + page - length;
    std::memset(name, 'C', size_t(length));
    EXPECT_EQ(VelHostLook::colorIndex(name), -1);
    std::memcpy(name, "ColorButtonSelected", 19); // still no terminator: longer than any colour name
    EXPECT_EQ(VelHostLook::colorIndex(name), -1);
    munmap(memory, size_t(2 * page));

    const QByteArray huge(1 << 16, 'x');
    EXPECT_EQ(VelHostLook::colorIndex(huge.constData()), -1);
}

TEST(StyleLookLookup, AskingAllocatesNothing) {
    ASSERT_TRUE(allocationCountingWorks());
    VelHostLook look;
    QColor color;
    long allocations = -1;
    {
        CountAllocations counting;
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < VelHostLook::ColorCount; ++i) {
                look.widgetColor(PooledName::borrowed(VelHostLook::colorName(i)), color, nullptr);
                look.lookColor(PooledName::borrowed(VelHostLook::colorName(i)), color);
            }
            look.lookColor(PooledName::borrowed("ColorSky"), color);
        }
        allocations = counting.count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(look.totalAsks(), 3 * (2 * VelHostLook::ColorCount + 1));
}

} // namespace
