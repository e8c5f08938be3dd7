// The file manager's own size, count and date texts. They ignore the
// handset's regional settings.
#pragma once

#include "framework/String.h"

#include <windows.h>

// A size as text. Short units are "B", "K", "M", "G", long ones " Bytes",
// " KB", " MB", " GB". Below 1024 bytes the exact count is shown ("999B");
// above, the value in the largest fitting unit (low / divisor for K,
// (low >> 10) / divisor for M, (low >> 20) / divisor + high * 4 for G) is
// printed with six decimals and cut to `digits` characters, one less when the
// cut would end in "." (4 digits: "1.50M", "123K", "1000K"). A divisor below 1
// counts as 1 and a digit count below 1 as 1.
String FormatSize(DWORD high, DWORD low, bool shortUnits, int digits, int divisor);

// The number with "," between groups of three digits ("12,345", "-1,000").
String FormatCount(long long value);

// The local time of a file time as "month/day/yy hh:mm AM|PM" on a 12-hour
// clock that runs from 00 ("3/7/24 00:05 PM" is five past noon). Empty for a
// time that has no calendar date.
String FormatFileTime(const FILETIME& time);
