// The bars of the Power page: what a battery's flag and percentage show, and
// the charging animation.
#pragma once

#include "sysinfo/BarGraph.h"

#include <windows.h>

// One battery as the extended power status reports it.
struct BatteryState {
    BYTE flag = 0;
    BYTE percent = 0;
    // The status has no figures at all: the main battery reports neither a
    // voltage nor a temperature.
    bool noFigures = false;
};

// No information about the battery: a flag of 128 to 254 (no battery, or
// nonsense), or no figures at all.
bool HasNoInformation(const BatteryState& battery) noexcept;

// Charging and not full yet: the bar then animates instead of showing the
// percentage as its fill. A battery without information never animates.
bool IsCharging(const BatteryState& battery) noexcept;

// The fill colour by flag: unknown blue, critical red, low olive, high green,
// anything else blue.
COLORREF BatteryFillColour(BYTE flag) noexcept;

// The bar: "<N/A>" without information, "<Unknown>" for an unknown
// percentage, else "NN%" with that fill. `animatedFill`, 0 to 100, replaces
// the fill while the battery charges (pass a negative value otherwise).
BarLook BatteryBar(const BatteryState& battery, int animatedFill = -1);

// The charging animations: the main battery's fill runs 0, 10, ... 100 and
// starts again; the backup battery's in steps of 2.
inline constexpr int NextMainBatteryFill(int fill) noexcept
{
    return (fill + 10) % 110;
}
inline constexpr int NextBackupBatteryFill(int fill) noexcept
{
    return (fill + 2) % 101;
}
