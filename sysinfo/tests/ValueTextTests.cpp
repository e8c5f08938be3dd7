#include "sysinfo/ValueText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(double total, double free)
{
    const String text = FormatValueText(total, free);
    return std::wstring(text.Chars(), text.Length());
}

}  // namespace

TEST(ValueTextTest, FreeFirstThenTotalInKilobytesOrMegabytes)
{
    EXPECT_EQ(Text(512.0 * 1024, 128.0 * 1024), L"128.0/512.0 KB");
    EXPECT_EQ(Text(32.0 * 1048576, 8.0 * 1048576), L"8.0/32.0 MB");
    EXPECT_EQ(Text(50331648, 21495808), L"20.5/48.0 MB");
}

TEST(ValueTextTest, MegabytesFromOneMegabyteOfTotalOn)
{
    EXPECT_EQ(Text(1048575, 1024), L"1.0/1024.0 KB");
    EXPECT_EQ(Text(1048576, 1024), L"0.0/1.0 MB");
}

TEST(ValueTextTest, NothingKnownReadsAsZeroKilobytes)
{
    EXPECT_EQ(Text(0, 0), L"0.0/0.0 KB");
}

TEST(ValueTextTest, MoreFreeThanTotalShowsOnlyTheUnit)
{
    EXPECT_EQ(Text(1024, 2048), L"MB");
    EXPECT_EQ(Text(64.0 * 1048576, 65.0 * 1048576), L"MB");
}
