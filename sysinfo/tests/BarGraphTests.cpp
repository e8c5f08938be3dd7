#include "sysinfo/BarGraph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::wstring Text(const BarLook& look)
{
    return std::wstring(look.text.Chars(), look.text.Length());
}

}  // namespace

TEST(BarGraphTest, PercentIsTheRoundedFraction)
{
    EXPECT_EQ(BarPercent(0.0), 0u);
    EXPECT_EQ(BarPercent(0.004), 0u);
    EXPECT_EQ(BarPercent(0.005), 1u);
    EXPECT_EQ(BarPercent(0.4249), 42u);
    EXPECT_EQ(BarPercent(0.4251), 43u);
    EXPECT_EQ(BarPercent(1.0), 100u);
}

TEST(BarGraphTest, PercentStaysWithinTheBar)
{
    EXPECT_EQ(BarPercent(2.6), 100u);  // not 260 % taken modulo 256
    EXPECT_EQ(BarPercent(-0.5), 0u);
    EXPECT_EQ(BarPercent(std::numeric_limits<double>::quiet_NaN()), 0u);
}

TEST(BarGraphTest, FillWidthIsRoundedShareOfTheInnerWidth)
{
    // A full-width bar of a 168-pixel row has 164 pixels inside its frame.
    EXPECT_EQ(BarFillWidth(164, 0), 0);
    EXPECT_EQ(BarFillWidth(164, 1), 2);  // 1.64 + 0.5
    EXPECT_EQ(BarFillWidth(164, 25), 41);
    EXPECT_EQ(BarFillWidth(164, 43), 71);  // 70.52 + 0.5
    EXPECT_EQ(BarFillWidth(164, 100), 164);
    // The Program and Storage bars start at a fifth of the row: 135 - 4.
    EXPECT_EQ(BarFillWidth(131, 40), 52);  // 52.4 + 0.5
    EXPECT_EQ(BarFillWidth(131, 200), 131);
    EXPECT_EQ(BarFillWidth(0, 50), 0);
}

TEST(BarGraphTest, ColoursByQuarterOfFreeSpace)
{
    const BarColours red = ColoursForFreeFraction(0.2499);
    EXPECT_EQ(red.fill, 0x0000C0u);
    EXPECT_EQ(red.text, 0xFFFFFFu);
    EXPECT_EQ(ColoursForFreeFraction(0.0).fill, 0x0000C0u);

    const BarColours yellow = ColoursForFreeFraction(0.25);
    EXPECT_EQ(yellow.fill, 0x00FFFFu);
    EXPECT_EQ(yellow.text, 0xFF0000u);  // blue text on yellow
    EXPECT_EQ(ColoursForFreeFraction(0.4999).fill, 0x00FFFFu);

    const BarColours blue = ColoursForFreeFraction(0.5);
    EXPECT_EQ(blue.fill, 0xC00000u);
    EXPECT_EQ(blue.text, 0xFFFFFFu);
    EXPECT_EQ(ColoursForFreeFraction(0.7499).fill, 0xC00000u);

    EXPECT_EQ(ColoursForFreeFraction(0.75).fill, 0x00C000u);
    EXPECT_EQ(ColoursForFreeFraction(1.0).fill, 0x00C000u);
    EXPECT_EQ(ColoursForFreeFraction(0.75).text, 0xFFFFFFu);
}

TEST(BarGraphTest, FreeSpaceBarShowsPercentOrNotAvailable)
{
    const BarLook quarter = FreeSpaceBar(400, 100);
    EXPECT_EQ(Text(quarter), L"25%");
    EXPECT_EQ(quarter.fillPercent, 25u);
    EXPECT_EQ(quarter.fillColour, BarYellow);
    EXPECT_EQ(quarter.textColour, BarTextBlue);

    // Nothing free, though the total is known.
    const BarLook full = FreeSpaceBar(400, 0);
    EXPECT_EQ(Text(full), L"<N/A>");
    EXPECT_EQ(full.fillPercent, 0u);
    EXPECT_EQ(full.fillColour, BarRed);

    EXPECT_EQ(Text(FreeSpaceBar(0, 0)), L"<N/A>");
    EXPECT_EQ(Text(FreeSpaceBar(std::numeric_limits<double>::quiet_NaN(), 1)), L"<N/A>");
    EXPECT_EQ(Text(FreeSpaceBar(100, 250)), L"100%");  // never past the bar's end
    EXPECT_EQ(Text(FreeSpaceBar(3, 2)), L"67%");
    // Next to nothing free still says how much.
    EXPECT_EQ(Text(FreeSpaceBar(1000, 1)), L"0%");
}
