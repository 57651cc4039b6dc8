// Counters the reference host keeps for its whole life: a long-running host passes every 32-bit limit,
// and no counter may then write outside its table or go negative.

#include "host/lookservice.h"

#include <gtest/gtest.h>

#include <climits>

// Moves a look's counters on as if `asks` asks of an unknown name had been made, without making them.
class VelHostLookProbe {
public:
    static void skipUnknownAsks(VelHostLook& look, int asks) {
        look.m_logNext = asks % VelHostLook::LogCapacity;
        look.m_logSize = VelHostLook::LogCapacity;
        look.m_unknownAsks += asks;
    }
};

TEST(HostCounters, TheLookKeepsItsLogAndColoursPastTwoToTheThirtyOneAsks) {
    VelHostLook look;
    const QColor gui = look.color("ColorGUI");
    VelHostLookProbe::skipUnknownAsks(look, INT_MAX - 3);
    QColor color;
    for (int i = 0; i < 2 * VelHostLook::LogCapacity; ++i)
        look.lookColor(PooledName::borrowed(i % 2 ? "ColorGUIDarker1" : "ColorGUI"), color);
    look.lookColor(PooledName::borrowed("NoSuchColour"), color);

    EXPECT_EQ(look.color("ColorGUI"), gui);
    EXPECT_EQ(look.askLogSize(), VelHostLook::LogCapacity);
    EXPECT_STREQ(VelHostLook::colorName(look.askAt(VelHostLook::LogCapacity - 2).color), "ColorGUIDarker1");
    EXPECT_EQ(look.askAt(VelHostLook::LogCapacity - 1).color, -1);
    EXPECT_EQ(look.asks("ColorGUI"), VelHostLook::LogCapacity);
    // Totals stop at the largest int instead of turning negative.
    EXPECT_EQ(look.unknownAsks(), INT_MAX - 2);
    EXPECT_EQ(look.totalAsks(), INT_MAX);
}
