#include "filemanager/FileFormats.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

std::wstring Size(DWORD high, DWORD low, bool shortUnits = true, int digits = 4, int divisor = 1024)
{
    return FormatSize(high, low, shortUnits, digits, divisor).Chars();
}

TEST(FormatSize, BytesAreExactBelowOneKilobyte)
{
    EXPECT_EQ(Size(0, 0), L"0B");
    EXPECT_EQ(Size(0, 999), L"999B");
    EXPECT_EQ(Size(0, 999, false), L"999 Bytes");
    EXPECT_EQ(Size(0, 1023, false), L"1023 Bytes");
}

TEST(FormatSize, LargerSizesAreCutToTheDigitCount)
{
    EXPECT_EQ(Size(0, 1024), L"1.00K");
    EXPECT_EQ(Size(0, 1024, false), L"1.00 KB");
    EXPECT_EQ(Size(0, 126362), L"123K");  // 123.4 K: the cut ends in "." and drops it
    EXPECT_EQ(Size(0, 1024000), L"1000K");
    EXPECT_EQ(Size(0, 1048575), L"1023K");  // cut, not rounded
    EXPECT_EQ(Size(0, 1048576), L"1.00M");
    EXPECT_EQ(Size(0, 1572864), L"1.50M");
    EXPECT_EQ(Size(0, 1572864, false), L"1.50 MB");
    EXPECT_EQ(Size(0, 3u << 30), L"3.00G");
    EXPECT_EQ(Size(1, 0), L"4.00G");  // 2^32 bytes
    EXPECT_EQ(Size(2, 1u << 29, false), L"8.50 GB");
}

TEST(FormatSize, DigitsAndDivisorShapeTheNumber)
{
    EXPECT_EQ(Size(0, 1536, true, 6), L"1.5000K");
    EXPECT_EQ(Size(0, 1536, true, 2), L"1K");  // "1." loses its point
    EXPECT_EQ(Size(0, 1500, true, 4, 1000), L"1.50K");
    EXPECT_EQ(Size(0, 2048, true, 30), L"2.000000K");  // more digits than the number has
}

TEST(FormatSize, NonsenseArgumentsStillGiveANumber)
{
    EXPECT_EQ(Size(0, 2048, true, 4, 0), L"2048K");  // divisor 0 counts as 1, never "inf"
    EXPECT_EQ(Size(0, 2048, true, 0), L"2K");        // at least one digit
}

TEST(FormatCount, GroupsOfThreeFromTheRight)
{
    EXPECT_EQ(std::wstring(FormatCount(0).Chars()), L"0");
    EXPECT_EQ(std::wstring(FormatCount(999).Chars()), L"999");
    EXPECT_EQ(std::wstring(FormatCount(1000).Chars()), L"1,000");
    EXPECT_EQ(std::wstring(FormatCount(12345).Chars()), L"12,345");
    EXPECT_EQ(std::wstring(FormatCount(1234567).Chars()), L"1,234,567");
    EXPECT_EQ(std::wstring(FormatCount(-1234).Chars()), L"-1,234");
    EXPECT_EQ(std::wstring(FormatCount(LLONG_MIN).Chars()), L"-9,223,372,036,854,775,808");
}

// The UTC file time of a local calendar time, the inverse of what
// FormatFileTime does first.
FILETIME FromLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME local{};
    local.wYear = year;
    local.wMonth = month;
    local.wDay = day;
    local.wHour = hour;
    local.wMinute = minute;
    FILETIME localTime, utc;
    EXPECT_TRUE(SystemTimeToFileTime(&local, &localTime));
    EXPECT_TRUE(LocalFileTimeToFileTime(&localTime, &utc));
    return utc;
}

std::wstring Time(const FILETIME& time)
{
    return FormatFileTime(time).Chars();
}

TEST(FormatFileTime, TwelveHourClockRunsFromZero)
{
    EXPECT_EQ(Time(FromLocal(2024, 3, 7, 12, 5)), L"3/7/24 00:05 PM");
    EXPECT_EQ(Time(FromLocal(2024, 3, 7, 0, 7)), L"3/7/24 00:07 AM");
    EXPECT_EQ(Time(FromLocal(2024, 3, 7, 11, 59)), L"3/7/24 11:59 AM");
    EXPECT_EQ(Time(FromLocal(2009, 12, 31, 23, 0)), L"12/31/09 11:00 PM");
    EXPECT_EQ(Time(FromLocal(2100, 1, 2, 13, 30)), L"1/2/00 01:30 PM");
}

TEST(FormatFileTime, ATimeWithoutADateIsEmpty)
{
    FILETIME invalid{0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(Time(invalid), L"");
}

}  // namespace
