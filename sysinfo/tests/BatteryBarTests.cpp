#include "sysinfo/BatteryBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const BarLook& look)
{
    return std::wstring(look.text.Chars(), look.text.Length());
}

BatteryState Battery(BYTE flag, BYTE percent)
{
    return {flag, percent, false};
}

}  // namespace

TEST(BatteryBarTest, FillColourFollowsTheFlag)
{
    EXPECT_EQ(BatteryFillColour(255), BarBlue);
    EXPECT_EQ(BatteryFillColour(4), BarRed);
    EXPECT_EQ(BatteryFillColour(4 | 2), BarRed);  // critical wins
    EXPECT_EQ(BatteryFillColour(2), BarOlive);
    EXPECT_EQ(BatteryFillColour(2 | 1), BarOlive);
    EXPECT_EQ(BatteryFillColour(1), BarGreen);
    EXPECT_EQ(BatteryFillColour(9), BarGreen);
    EXPECT_EQ(BatteryFillColour(0), BarBlue);
    EXPECT_EQ(BatteryFillColour(8), BarBlue);
}

TEST(BatteryBarTest, WithoutInformationNotAvailable)
{
    for (BYTE flag : {128, 129, 200, 254}) {
        const BarLook look = BatteryBar(Battery(flag, 50));
        EXPECT_EQ(Text(look), L"<N/A>") << int(flag);
        EXPECT_EQ(look.fillPercent, 0u);
    }
    // Neither voltage nor temperature: no figures at all.
    const BarLook look = BatteryBar({1, 50, true});
    EXPECT_EQ(Text(look), L"<N/A>");
    EXPECT_EQ(look.fillPercent, 0u);
}

TEST(BatteryBarTest, UnknownPercentage)
{
    const BarLook look = BatteryBar(Battery(1, 255));
    EXPECT_EQ(Text(look), L"<Unknown>");
    EXPECT_EQ(look.fillPercent, 0u);
    // An unknown flag is information too.
    EXPECT_EQ(Text(BatteryBar(Battery(255, 40))), L"40%");
    EXPECT_EQ(BatteryBar(Battery(255, 40)).fillColour, BarBlue);
}

TEST(BatteryBarTest, ChargingUntilFull)
{
    EXPECT_TRUE(IsCharging(Battery(9, 60)));
    EXPECT_TRUE(IsCharging(Battery(8, 0)));
    EXPECT_FALSE(IsCharging(Battery(9, 100)));
    EXPECT_FALSE(IsCharging(Battery(1, 60)));
    EXPECT_FALSE(IsCharging(Battery(255, 60)));
    EXPECT_FALSE(IsCharging(Battery(128 | 8, 60)));  // no battery to charge
    EXPECT_FALSE(IsCharging({9, 60, true}));
}

TEST(BatteryBarTest, ChargingBarShowsTheAnimationAsFill)
{
    const BarLook charging = BatteryBar(Battery(9, 60), 30);
    EXPECT_EQ(Text(charging), L"60%");
    EXPECT_EQ(charging.fillPercent, 30u);
    EXPECT_EQ(charging.fillColour, BarGreen);

    // Full: no animation, the percentage in a green fill.
    const BarLook full = BatteryBar(Battery(9, 100), 30);
    EXPECT_EQ(Text(full), L"100%");
    EXPECT_EQ(full.fillPercent, 100u);
    EXPECT_EQ(full.fillColour, BarGreen);

    EXPECT_EQ(BatteryBar(Battery(1, 60), 30).fillPercent, 60u);
}

TEST(BatteryBarTest, AnimationsRunRoundInTheirSteps)
{
    EXPECT_EQ(NextMainBatteryFill(0), 10);
    EXPECT_EQ(NextMainBatteryFill(90), 100);
    EXPECT_EQ(NextMainBatteryFill(100), 0);
    EXPECT_EQ(NextBackupBatteryFill(0), 2);
    EXPECT_EQ(NextBackupBatteryFill(98), 100);
    EXPECT_EQ(NextBackupBatteryFill(100), 1);  // modulo 101: the second round takes the odd steps
}
