#include "base/fixed.h"
#include "world/player.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(FixedMul, ShiftsTheProductAndWrapsToThirtyTwoBits) {
    EXPECT_EQ(FixedMul(65536, 65536), 65536);
    EXPECT_EQ(FixedMul(-1, 1), -1);                // arithmetic shift: rounds toward minus infinity
    EXPECT_EQ(FixedMul(0x7fffffff, 0x20000), -2);  // the low 32 bits of a product too large to fit
    EXPECT_EQ(FixedMul(-3 * 65536, 65536 / 2), -3 * 65536 / 2);
}

TEST(SineTable, FollowsItsRuleExceptForThreeEntries) {
    for (int i = 0; i < 1024; ++i) {
        double v = std::trunc(32768.0 * std::sin(2.0 * M_PI * i / 1024.0));
        v = std::fmax(-32767.0, std::fmin(32767.0, v));
        const int expected = static_cast<int>(v);
        if (i == 519 || i == 949 || i == 1017) {
            EXPECT_EQ(std::abs(SineTable[i] - expected), 1) << "entry " << i;
        } else {
            EXPECT_EQ(SineTable[i], expected) << "entry " << i;
        }
    }
    EXPECT_EQ(SineTable[519], -1406);
    EXPECT_EQ(SineTable[949], -14553);
    EXPECT_EQ(SineTable[1017], -1406);
    EXPECT_EQ(SineTable[256], 32767);
    EXPECT_EQ(SineTable[768], -32767);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(SineTable[1024 + i], SineTable[i]) << "entry " << 1024 + i;
    }
}

TEST(Angle16, HeadingZeroLooksAlongZAndAQuarterTurnAlongX) {
    EXPECT_EQ(SinOf(0), 0);
    EXPECT_EQ(CosOf(0), 32767);
    EXPECT_EQ(SinOf(16384), 32767);
    EXPECT_EQ(CosOf(16384), 0);
    const FixedVectorF east = HeadingDirection(16384);
    EXPECT_EQ(east.x, 32767.0f / 32768.0f);
    EXPECT_EQ(east.z, 0.0f);
    EXPECT_EQ(FixedToFloat(-98304), -1.5f);
    // The largest angle still reads inside the table.
    EXPECT_EQ(CosOf(65535), SineTable[1023 + 256]);
}

TEST(FileNumbers, TruncateTowardZeroAndSaturate) {
    EXPECT_EQ(FileNumberToFixed(-0.00001), 0);
    EXPECT_EQ(FileNumberToFixed(1.5), 98304);
    EXPECT_EQ(FileNumberToFixed(-1.5), -98304);
    EXPECT_EQ(FileNumberToFixed(1e12), 2147483647);
    EXPECT_EQ(FileNumberToFixed(-1e12), -2147483647 - 1);
    EXPECT_EQ(FileNumberToFixed(std::nan("")), 0);

    const float saved = WorldScale;
    WorldScale = 2.5f;
    EXPECT_EQ(WorldToFixed(1.5), 245760);
    EXPECT_EQ(WorldToSize16(7.9), 19);  // 19.75 truncated
    EXPECT_EQ(WorldToSize16(1e6), 32767);
    WorldScale = saved;
}

TEST(Player, StartsAtTheDefaultEye) {
    EXPECT_EQ(PlayerX, 350 * 65536);
    EXPECT_EQ(PlayerY, 36 * 65536);
    EXPECT_EQ(PlayerZ, 120 * 65536);
    EXPECT_EQ(PlayerHeading, 0);
    EXPECT_EQ(CurrentCube, nullptr);
}
