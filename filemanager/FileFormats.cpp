#include "filemanager/FileFormats.h"

#include <algorithm>

namespace {

constexpr const wchar_t* ShortUnits[] = {L"B", L"K", L"M", L"G"};
constexpr const wchar_t* LongUnits[] = {L" Bytes", L" KB", L" MB", L" GB"};

constexpr DWORD Kilobyte = 1024;
constexpr DWORD Megabyte = 1024 * 1024;
constexpr DWORD Gigabyte = 1024 * 1024 * 1024;

}  // namespace

String FormatSize(DWORD high, DWORD low, bool shortUnits, int digits, int divisor)
{
    const wchar_t* const* units = shortUnits ? ShortUnits : LongUnits;
    // A zero divisor would print "inf", a digit count below 1 nothing at all.
    divisor = std::max(divisor, 1);
    digits = std::max(digits, 1);

    double value;
    int unit;
    if (high != 0 || low >= Gigabyte) {
        value = static_cast<double>(low >> 20) / divisor + static_cast<double>(high) * 4;
        unit = 3;
    } else if (low >= Megabyte) {
        value = static_cast<double>(low >> 10) / divisor;
        unit = 2;
    } else if (low >= Kilobyte) {
        value = static_cast<double>(low) / divisor;
        unit = 1;
    } else {
        String text;
        text.FormatText(L"%lu%s", low, units[0]);
        return text;
    }

    String number;
    number.FormatText(L"%f", value);
    // The digits are cut, not rounded; a cut that ends in the decimal point
    // drops it ("123." becomes "123").
    int keep = std::min(digits, number.Length());
    if (keep == digits && number[keep - 1] == L'.')
        --keep;
    String text = number.Left(keep);
    text += units[unit];
    return text;
}

String FormatCount(long long value)
{
    // The magnitude as unsigned, so that the most negative value has one too.
    unsigned long long magnitude =
        value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    wchar_t buffer[32];
    wchar_t* end = buffer + _countof(buffer);
    wchar_t* start = end;
    *--start = L'\0';
    int digitsInGroup = 0;
    do {
        if (digitsInGroup == 3) {
            *--start = L',';
            digitsInGroup = 0;
        }
        *--start = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
        ++digitsInGroup;
    } while (magnitude != 0);
    if (value < 0)
        *--start = L'-';
    return String(start);
}

String FormatFileTime(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME calendar;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &calendar))
        return String();
    // A 12-hour clock that runs 00..11, with AM before noon.
    String text;
    text.FormatText(L"%d/%d/%.2d %.2d:%.2d %s", calendar.wMonth, calendar.wDay, calendar.wYear % 100,
                    calendar.wHour % 12, calendar.wMinute, calendar.wHour < 12 ? L"AM" : L"PM");
    return text;
}
