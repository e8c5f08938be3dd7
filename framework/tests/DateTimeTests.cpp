#include "framework/DateTime.h"

#include <gtest/gtest.h>

namespace {

// The zone the library sees, set by each test.
TIME_ZONE_INFORMATION currentZone{};
bool zoneAvailable = true;
int zoneQueries = 0;

bool TestZone(TIME_ZONE_INFORMATION& zone)
{
    ++zoneQueries;
    if (!zoneAvailable)
        return false;
    zone = currentZone;
    return true;
}

// A recurring rule: `week` 1-5 (5 = last) of `weekday` in `month` at `hour`.
SYSTEMTIME Rule(WORD month, WORD weekday, WORD week, WORD hour)
{
    return SYSTEMTIME{0, month, weekday, week, hour, 0, 0, 0};
}

TIME_ZONE_INFORMATION Zone(LONG bias, LONG daylightBias, SYSTEMTIME daylightStart, SYSTEMTIME standardStart)
{
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = bias;
    zone.DaylightBias = daylightBias;
    zone.DaylightDate = daylightStart;
    zone.StandardDate = standardStart;
    return zone;
}

constexpr WORD Sunday = 0;
constexpr WORD Thursday = 4;

// Last Sunday of March 2:00 to last Sunday of October 3:00, one hour east.
const TIME_ZONE_INFORMATION CentralEurope = Zone(-60, -60, Rule(3, Sunday, 5, 2), Rule(10, Sunday, 5, 3));
// First Sunday of October 2:00 to first Sunday of April 3:00, ten hours east.
const TIME_ZONE_INFORMATION Sydney = Zone(-600, -60, Rule(10, Sunday, 1, 2), Rule(4, Sunday, 1, 3));
// Nine hours east, no daylight saving.
const TIME_ZONE_INFORMATION Tokyo = Zone(-540, 0, SYSTEMTIME{}, SYSTEMTIME{});

std::tm Local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

// Seconds since 1970 of a universal time, by the platform's own conversion.
int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    SYSTEMTIME system{
        static_cast<WORD>(year),   static_cast<WORD>(month),  0, static_cast<WORD>(day), static_cast<WORD>(hour),
        static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    FILETIME file{};
    EXPECT_TRUE(SystemTimeToFileTime(&system, &file));
    constexpr int64_t ticksAt1970 = 116444736000000000LL;
    return ((static_cast<int64_t>(file.dwHighDateTime) << 32 | file.dwLowDateTime) - ticksAt1970) / 10000000;
}

int64_t Make(std::tm time)
{
    return MakeTime(time);
}

class DateTime : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = SetTimeZoneSource(TestZone);
        zoneAvailable = true;
        zoneQueries = 0;
        g_bUseDST = 1;
    }

    void TearDown() override
    {
        SetTimeZoneSource(m_previous);
        g_bUseDST = 1;
    }

    static void Use(const TIME_ZONE_INFORMATION& zone)
    {
        currentZone = zone;
        ResetTimeZoneCache();
    }

    TimeZoneSource m_previous = nullptr;
};

TEST_F(DateTime, OneHourEastAtTheEpochIsMinus3600)
{
    Use(Zone(-60, 0, SYSTEMTIME{}, SYSTEMTIME{}));
    EXPECT_EQ(Make(Local(1970, 1, 1)), -3600);
    Use(Zone(0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
    EXPECT_EQ(Make(Local(1970, 1, 1)), 0);
    Use(Zone(300, 0, SYSTEMTIME{}, SYSTEMTIME{}));
    EXPECT_EQ(Make(Local(1970, 1, 1)), 5 * 3600);
}

TEST_F(DateTime, CentralEuropeStartsDaylightTimeAtTwoOnTheLastSundayOfMarch)
{
    Use(CentralEurope);
    // 2024: March has five Sundays, the last is the 31st.
    EXPECT_EQ(Make(Local(2024, 3, 31, 1, 59, 59)), Utc(2024, 3, 31, 0, 59, 59));
    EXPECT_EQ(Make(Local(2024, 3, 31, 2, 0, 0)), Utc(2024, 3, 31, 0, 0, 0));
    EXPECT_EQ(Make(Local(2024, 3, 31, 3, 0, 0)), Utc(2024, 3, 31, 1, 0, 0));
    EXPECT_EQ(Make(Local(2024, 4, 1, 0, 0, 0)), Utc(2024, 3, 31, 22, 0, 0));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 3, 31, 1, 59, 59)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 3, 31, 2, 0, 0)));
}

TEST_F(DateTime, CentralEuropeEndsDaylightTimeOnTheLastSundayOfOctober)
{
    Use(CentralEurope);
    // October 2024 has four Sundays; week 5 is the 27th. The end at 3:00
    // daylight time is 2:00 standard time.
    EXPECT_EQ(Make(Local(2024, 10, 27, 0, 0, 0)), Utc(2024, 10, 26, 22, 0, 0));
    EXPECT_EQ(Make(Local(2024, 10, 27, 1, 59, 59)), Utc(2024, 10, 26, 23, 59, 59));
    EXPECT_EQ(Make(Local(2024, 10, 27, 2, 0, 0)), Utc(2024, 10, 27, 1, 0, 0));
    EXPECT_EQ(Make(Local(2024, 10, 28, 0, 0, 0)), Utc(2024, 10, 27, 23, 0, 0));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 10, 27, 1, 59, 59)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 10, 27, 2, 0, 0)));
}

TEST_F(DateTime, TransitionsAreComputedForEachYearAsked)
{
    Use(CentralEurope);
    // 2023: the 26th of March and the 29th of October; 2024 between them.
    EXPECT_TRUE(IsDaylightTime(Local(2023, 3, 26, 2, 0, 0)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 3, 31, 2, 0, 0)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 3, 26, 12, 0, 0)));
    EXPECT_TRUE(IsDaylightTime(Local(2023, 10, 29, 1, 59, 59)));
    EXPECT_FALSE(IsDaylightTime(Local(2023, 10, 29, 2, 0, 0)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 10, 27, 1, 59, 59)));
    // The zone was read once.
    EXPECT_EQ(zoneQueries, 1);
}

TEST_F(DateTime, SydneyKeepsDaylightTimeAcrossTheNewYear)
{
    Use(Sydney);
    // 2024: standard time from Sunday 7 April, daylight time from Sunday 6 October.
    EXPECT_EQ(Make(Local(2024, 1, 15, 12, 0, 0)), Utc(2024, 1, 15, 1, 0, 0));
    EXPECT_EQ(Make(Local(2024, 7, 15, 12, 0, 0)), Utc(2024, 7, 15, 2, 0, 0));
    EXPECT_EQ(Make(Local(2024, 4, 7, 1, 59, 59)), Utc(2024, 4, 6, 14, 59, 59));
    EXPECT_EQ(Make(Local(2024, 4, 7, 2, 0, 0)), Utc(2024, 4, 6, 16, 0, 0));
    EXPECT_EQ(Make(Local(2024, 10, 6, 1, 59, 59)), Utc(2024, 10, 5, 15, 59, 59));
    EXPECT_EQ(Make(Local(2024, 10, 6, 2, 0, 0)), Utc(2024, 10, 5, 15, 0, 0));

    EXPECT_TRUE(IsDaylightTime(Local(2024, 1, 1)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 4, 8)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 10, 5, 23, 59, 59)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 12, 31, 23, 59, 59)));
}

TEST_F(DateTime, WeekFiveTakesTheFourthOccurrenceWhenThereIsNoFifth)
{
    // Daylight time from the last Thursday of February.
    Use(Zone(0, -60, Rule(2, Thursday, 5, 0), Rule(11, Sunday, 1, 2)));
    // February 2023 has four Thursdays (2, 9, 16, 23).
    EXPECT_FALSE(IsDaylightTime(Local(2023, 2, 22, 23, 59, 59)));
    EXPECT_TRUE(IsDaylightTime(Local(2023, 2, 23, 0, 0, 0)));
    // February 2024 (a leap year) has five, the last on the 29th.
    EXPECT_FALSE(IsDaylightTime(Local(2024, 2, 28, 23, 59, 59)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 2, 29, 0, 0, 0)));
    EXPECT_EQ(Make(Local(2024, 2, 29, 12, 0, 0)), Utc(2024, 2, 29, 11, 0, 0));
    // 2100 is no leap year: its last February Thursday is the 25th.
    EXPECT_FALSE(IsDaylightTime(Local(2100, 2, 24, 23, 59, 59)));
    EXPECT_TRUE(IsDaylightTime(Local(2100, 2, 25, 0, 0, 0)));
}

TEST_F(DateTime, AnEndMovedBeforeMidnightMovesToThePreviousDay)
{
    // The end at 0:00 daylight time is 23:00 standard time of the day before.
    Use(Zone(-60, -60, Rule(3, Sunday, 5, 2), Rule(10, Sunday, 5, 0)));
    EXPECT_TRUE(IsDaylightTime(Local(2024, 10, 26, 22, 59, 59)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 10, 26, 23, 0, 0)));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 10, 27, 0, 30, 0)));
}

TEST_F(DateTime, SwitchedOffDaylightSavingIsNeverApplied)
{
    g_bUseDST = 0;
    Use(CentralEurope);
    EXPECT_EQ(Make(Local(2024, 7, 1, 12, 0, 0)), Utc(2024, 7, 1, 11, 0, 0));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 7, 1, 12)));
    Use(Sydney);
    EXPECT_EQ(Make(Local(2024, 1, 15, 12, 0, 0)), Utc(2024, 1, 15, 2, 0, 0));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 1, 15)));
    g_bUseDST = 1;
    EXPECT_TRUE(IsDaylightTime(Local(2024, 1, 15)));
}

TEST_F(DateTime, ZonesWithoutDaylightTime)
{
    Use(Tokyo);
    EXPECT_EQ(Make(Local(2024, 1, 15, 9, 0, 0)), Utc(2024, 1, 15, 0, 0, 0));
    EXPECT_EQ(Make(Local(2024, 7, 15, 9, 0, 0)), Utc(2024, 7, 15, 0, 0, 0));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 7, 15)));

    // A rule with an absolute date is not applied either.
    TIME_ZONE_INFORMATION absolute = CentralEurope;
    absolute.DaylightDate.wYear = 2024;
    absolute.DaylightDate.wDay = 31;
    Use(absolute);
    EXPECT_FALSE(IsDaylightTime(Local(2024, 7, 15)));
    EXPECT_EQ(Make(Local(2024, 7, 15, 12, 0, 0)), Utc(2024, 7, 15, 11, 0, 0));
}

TEST_F(DateTime, AnUnavailableZoneIsAskedForAgain)
{
    zoneAvailable = false;
    Use(CentralEurope);
    EXPECT_EQ(Make(Local(2024, 7, 1, 12, 0, 0)), Utc(2024, 7, 1, 12, 0, 0));
    EXPECT_FALSE(IsDaylightTime(Local(2024, 7, 1, 12)));
    zoneAvailable = true;
    EXPECT_EQ(Make(Local(2024, 7, 1, 12, 0, 0)), Utc(2024, 7, 1, 10, 0, 0));
    int queries = zoneQueries;
    Make(Local(2024, 1, 1));
    EXPECT_EQ(zoneQueries, queries);
}

TEST_F(DateTime, MakeTimeFillsInTheRecord)
{
    Use(CentralEurope);
    std::tm time = Local(2024, 12, 31, 23, 59, 59);
    time.tm_isdst = 1;
    MakeTime(time);
    EXPECT_EQ(time.tm_yday, 365);
    EXPECT_EQ(time.tm_wday, 2);  // a Tuesday
    EXPECT_EQ(time.tm_isdst, 0);

    time = Local(2100, 3, 1);
    MakeTime(time);
    EXPECT_EQ(time.tm_yday, 31 + 28);
}

TEST_F(DateTime, FieldsOutOfRangeCarryOver)
{
    Use(Tokyo);
    // Dates and times as damaged archives hold them.
    std::tm time = Local(2023, 2, 29, 23, 59, 62);
    EXPECT_EQ(MakeTime(time), Utc(2023, 3, 1, 15, 0, 2));
    EXPECT_EQ(time.tm_mon, 2);
    EXPECT_EQ(time.tm_mday, 2);
    EXPECT_EQ(time.tm_hour, 0);
    EXPECT_EQ(time.tm_min, 0);
    EXPECT_EQ(time.tm_sec, 2);

    EXPECT_EQ(Make(Local(2023, 13, 1, 9)), Utc(2024, 1, 1, 0));
    EXPECT_EQ(Make(Local(2024, 3, 0, 9)), Utc(2024, 2, 29, 0));
    EXPECT_EQ(Make(Local(2024, 0, 15, 9)), Utc(2023, 12, 15, 0));
    EXPECT_EQ(Make(Local(2024, 1, 1, 31, 63, 0)), Utc(2024, 1, 1, 23, 3, 0));
}

TEST_F(DateTime, FarDatesKeepTheirSeconds)
{
    Use(Zone(0, 0, SYSTEMTIME{}, SYSTEMTIME{}));
    EXPECT_EQ(Make(Local(2107, 12, 31, 23, 59, 58)), Utc(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(Make(Local(2038, 1, 19, 3, 14, 8)), int64_t{1} << 31);
    EXPECT_EQ(Make(Local(1969, 12, 31, 23, 59, 59)), -1);
    EXPECT_EQ(Make(Local(1601, 1, 1)), Utc(1601, 1, 1));
}

TEST(DaylightSwitch, IsExportedAndOnAtStart)
{
    EXPECT_EQ(g_bUseDST, 1);
    EXPECT_EQ(sizeof g_bUseDST, 4u);
    auto exported = reinterpret_cast<int*>(GetProcAddress(GetModuleHandleW(nullptr), "g_bUseDST"));
    EXPECT_EQ(exported, &g_bUseDST);
}

}  // namespace
