// Local calendar time to seconds since 1970 UTC, with the device's time zone
// and its daylight-saving rule.
//
// The time-zone information is read once, on first use, and kept; a failed
// read is tried again at the next use (offsets count as 0 meanwhile).
#pragma once

#include <windows.h>

#include <cstdint>
#include <ctime>

// The daylight-saving switch every program exports: 0 turns daylight saving
// off in MakeTime and IsDaylightTime. Initially 1.
extern "C" __declspec(dllexport) int g_bUseDST;

// Seconds since 1970-01-01 00:00 UTC of `time` read as local time. Fields
// out of their ranges carry into the next larger one (60 seconds make a
// minute, month 12 is January of the next year, day 0 the last day of the
// previous month); the record is brought into range, its day of week and day
// of year filled in and its daylight flag set to 0.
int64_t MakeTime(std::tm& time);

// Whether the local time lies in daylight-saving time under the zone's
// recurring rule. False when daylight saving is switched off, the zone is
// unknown, or either transition is not a valid recurring rule.
bool IsDaylightTime(const std::tm& time);

// Where the time-zone information comes from: the platform's
// GetTimeZoneInformation unless tests set a source of their own. A source
// returns false when it cannot tell.
using TimeZoneSource = bool (*)(TIME_ZONE_INFORMATION& zone);

// Sets the source (null: the platform's) and forgets what was read; returns
// the previous source.
TimeZoneSource SetTimeZoneSource(TimeZoneSource source) noexcept;

// Forgets the time-zone information and the transitions computed from it.
void ResetTimeZoneCache() noexcept;
