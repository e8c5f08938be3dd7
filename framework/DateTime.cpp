#include "framework/DateTime.h"

#include <array>
#include <mutex>

namespace {

constexpr int64_t SecondsPerDay = 86400;
constexpr int MillisecondsPerDay = 86400000;

// Days before the first of each month, in a normal and in a leap year.
constexpr std::array<std::array<int, 13>, 2> DaysBeforeMonth = {{
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
}};

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

int64_t FloorMod(int64_t a, int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 1970-01-01 to January 1 of `year` (negative before 1970).
int64_t DaysBeforeYear(int64_t year)
{
    auto leapDaysBefore = [](int64_t y) { return FloorDiv(y - 1, 4) - FloorDiv(y - 1, 100) + FloorDiv(y - 1, 400); };
    return (year - 1970) * 365 + leapDaysBefore(year) - leapDaysBefore(1970);
}

// 0 = Sunday; 1970-01-01 was a Thursday.
int WeekdayOfDay(int64_t daysSince1970)
{
    return static_cast<int>(FloorMod(daysSince1970 + 4, 7));
}

// The fields of a record brought into range, counted from 1970.
struct CalendarPoint {
    int64_t year;
    int month;        // 0-11
    int day;          // 1-31
    int dayOfYear;    // 0-365
    int weekday;      // 0 = Sunday
    int secondOfDay;  // 0-86399
    int64_t days;     // since 1970-01-01
};

CalendarPoint FromSeconds(int64_t seconds)
{
    CalendarPoint point{};
    point.days = FloorDiv(seconds, SecondsPerDay);
    point.secondOfDay = static_cast<int>(FloorMod(seconds, SecondsPerDay));
    // An estimate from the mean year length, corrected by at most a step.
    point.year = 1970 + FloorDiv(point.days * 400, 146097);
    while (DaysBeforeYear(point.year + 1) <= point.days)
        ++point.year;
    while (DaysBeforeYear(point.year) > point.days)
        --point.year;
    point.dayOfYear = static_cast<int>(point.days - DaysBeforeYear(point.year));
    const auto& before = DaysBeforeMonth[IsLeapYear(point.year)];
    point.month = 0;
    while (point.month < 11 && before[point.month + 1] <= point.dayOfYear)
        ++point.month;
    point.day = point.dayOfYear - before[point.month] + 1;
    point.weekday = WeekdayOfDay(point.days);
    return point;
}

// The record's local time as seconds since 1970 as if it were universal time;
// every field may lie outside its range.
int64_t LocalSeconds(const std::tm& time)
{
    int64_t year = 1900 + static_cast<int64_t>(time.tm_year) + FloorDiv(time.tm_mon, 12);
    int month = static_cast<int>(FloorMod(time.tm_mon, 12));
    int64_t days = DaysBeforeYear(year) + DaysBeforeMonth[IsLeapYear(year)][month] + (time.tm_mday - 1);
    return days * SecondsPerDay + static_cast<int64_t>(time.tm_hour) * 3600 + static_cast<int64_t>(time.tm_min) * 60 +
           time.tm_sec;
}

// One daylight-saving transition of a year: the day and the millisecond of
// that day at which it happens.
struct Transition {
    int day;  // day of year; may lie one day outside the year after a wrap
    int millisecond;
};

bool IsRecurringRule(const SYSTEMTIME& rule)
{
    return rule.wYear == 0 && rule.wMonth >= 1 && rule.wMonth <= 12 && rule.wDay >= 1 && rule.wDay <= 5 &&
           rule.wDayOfWeek <= 6 && rule.wHour <= 23 && rule.wMinute <= 59 && rule.wSecond <= 59 &&
           rule.wMilliseconds <= 999;
}

// The day of year of the rule's weekday in its week of its month; week 5 is
// the last such weekday of the month.
int TransitionDay(int64_t year, const SYSTEMTIME& rule)
{
    int month = rule.wMonth - 1;
    const auto& before = DaysBeforeMonth[IsLeapYear(year)];
    int first = before[month];
    int length = before[month + 1] - first;
    int firstWeekday = WeekdayOfDay(DaysBeforeYear(year) + first);
    int day = (rule.wDayOfWeek - firstWeekday + 7) % 7 + (rule.wDay - 1) * 7;
    if (day >= length)
        day -= 7;
    return first + day;
}

int RuleMillisecond(const SYSTEMTIME& rule)
{
    return rule.wHour * 3600000 + rule.wMinute * 60000 + rule.wSecond * 1000 + rule.wMilliseconds;
}

bool PlatformTimeZone(TIME_ZONE_INFORMATION& zone)
{
    return GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID;
}

struct ZoneState {
    bool known = false;
    TIME_ZONE_INFORMATION info{};
    int64_t zoneOffset = 0;      // seconds from local standard time to UTC
    int64_t daylightOffset = 0;  // seconds added in daylight time
};

struct TransitionCache {
    bool valid = false;
    int64_t year = 0;
    bool recurring = false;
    Transition start{};
    Transition end{};
};

// All state behind one lock: archives are read on worker threads while the
// user-interface thread lists them.
struct DateTimeState {
    std::mutex lock;
    TimeZoneSource source = PlatformTimeZone;
    ZoneState zone;
    TransitionCache transitions;

    const ZoneState& Zone()
    {
        if (!zone.known) {
            TIME_ZONE_INFORMATION info{};
            if (source(info)) {
                zone.known = true;
                zone.info = info;
                zone.zoneOffset = static_cast<int64_t>(info.Bias) * 60;
                if (info.StandardDate.wMonth != 0)
                    zone.zoneOffset += static_cast<int64_t>(info.StandardBias) * 60;
                zone.daylightOffset = info.DaylightDate.wMonth != 0 && info.DaylightBias != 0
                                          ? static_cast<int64_t>(info.DaylightBias - info.StandardBias) * 60
                                          : 0;
            }
        }
        return zone;
    }

    const TransitionCache& TransitionsOf(int64_t year)
    {
        if (transitions.valid && transitions.year == year)
            return transitions;
        const ZoneState& z = Zone();
        transitions = TransitionCache{};
        transitions.valid = true;
        transitions.year = year;
        const SYSTEMTIME& startRule = z.info.DaylightDate;
        const SYSTEMTIME& endRule = z.info.StandardDate;
        transitions.recurring = IsRecurringRule(startRule) && IsRecurringRule(endRule);
        if (!transitions.recurring)
            return transitions;
        // The start is given in standard time, the end in daylight time; both
        // are compared with local standard time. An end moved past midnight
        // moves to the neighbouring day with it.
        transitions.start = {TransitionDay(year, startRule), RuleMillisecond(startRule)};
        int64_t endMillisecond = RuleMillisecond(endRule) + z.daylightOffset * 1000;
        int endDay = TransitionDay(year, endRule) + static_cast<int>(FloorDiv(endMillisecond, MillisecondsPerDay));
        transitions.end = {endDay, static_cast<int>(FloorMod(endMillisecond, MillisecondsPerDay))};
        return transitions;
    }

    bool IsDaylight(const CalendarPoint& point)
    {
        if (g_bUseDST == 0 || !Zone().known)
            return false;
        const TransitionCache& t = TransitionsOf(point.year);
        if (!t.recurring)
            return false;
        int day = point.dayOfYear;
        int millisecond = point.secondOfDay * 1000;
        bool sinceStart = day > t.start.day || (day == t.start.day && millisecond >= t.start.millisecond);
        bool beforeEnd = day < t.end.day || (day == t.end.day && millisecond < t.end.millisecond);
        bool startFirst =
            t.start.day < t.end.day || (t.start.day == t.end.day && t.start.millisecond <= t.end.millisecond);
        // A northern rule keeps daylight time between start and end within the
        // year; a southern one from the start into the next year's end.
        return startFirst ? sinceStart && beforeEnd : sinceStart || beforeEnd;
    }

    void Forget()
    {
        zone = ZoneState{};
        transitions = TransitionCache{};
    }
};

DateTimeState& State()
{
    static DateTimeState state;
    return state;
}

}  // namespace

int64_t MakeTime(std::tm& time)
{
    int64_t local = LocalSeconds(time);
    CalendarPoint point = FromSeconds(local);
    time.tm_year = static_cast<int>(point.year - 1900);
    time.tm_mon = point.month;
    time.tm_mday = point.day;
    time.tm_hour = point.secondOfDay / 3600;
    time.tm_min = point.secondOfDay / 60 % 60;
    time.tm_sec = point.secondOfDay % 60;
    time.tm_wday = point.weekday;
    time.tm_yday = point.dayOfYear;
    time.tm_isdst = 0;

    DateTimeState& state = State();
    std::lock_guard guard(state.lock);
    const ZoneState& zone = state.Zone();
    int64_t seconds = local + zone.zoneOffset;
    if (state.IsDaylight(point))
        seconds += zone.daylightOffset;
    return seconds;
}

bool IsDaylightTime(const std::tm& time)
{
    CalendarPoint point = FromSeconds(LocalSeconds(time));
    DateTimeState& state = State();
    std::lock_guard guard(state.lock);
    return state.IsDaylight(point);
}

TimeZoneSource SetTimeZoneSource(TimeZoneSource source) noexcept
{
    DateTimeState& state = State();
    std::lock_guard guard(state.lock);
    TimeZoneSource previous = state.source;
    state.source = source ? source : PlatformTimeZone;
    state.Forget();
    return previous;
}

void ResetTimeZoneCache() noexcept
{
    DateTimeState& state = State();
    std::lock_guard guard(state.lock);
    state.Forget();
}
