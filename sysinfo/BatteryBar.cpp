#include "sysinfo/BatteryBar.h"

#include "sysinfo/resource.h"

#include <algorithm>

namespace {

constexpr BYTE PercentFull = 100;

}  // namespace

bool HasNoInformation(const BatteryState& battery) noexcept
{
    // Read as a signed byte, every flag from 128 (no battery) to 254 is
    // below -1; 255 (unknown) is -1 and still says something.
    return static_cast<signed char>(battery.flag) < -1 || battery.noFigures;
}

bool IsCharging(const BatteryState& battery) noexcept
{
    return battery.flag != BATTERY_FLAG_UNKNOWN && (battery.flag & BATTERY_FLAG_CHARGING) &&
           battery.percent != PercentFull && !HasNoInformation(battery);
}

COLORREF BatteryFillColour(BYTE flag) noexcept
{
    if (flag == BATTERY_FLAG_UNKNOWN)
        return BarBlue;
    if (flag & BATTERY_FLAG_CRITICAL)
        return BarRed;
    if (flag & BATTERY_FLAG_LOW)
        return BarOlive;
    if (flag & BATTERY_FLAG_HIGH)
        return BarGreen;
    return BarBlue;
}

BarLook BatteryBar(const BatteryState& battery, int animatedFill)
{
    BarLook look;
    look.fillColour = BatteryFillColour(battery.flag);
    look.textColour = BarTextWhite;
    if (HasNoInformation(battery)) {
        look.text = MAKEINTRESOURCEW(IDS_NOT_AVAILABLE);
    } else if (battery.percent == BATTERY_PERCENTAGE_UNKNOWN) {
        look.text = MAKEINTRESOURCEW(IDS_UNKNOWN);
    } else {
        look.text.FormatText(L"%d%%", static_cast<int>(battery.percent));
        look.fillPercent = std::min<unsigned>(battery.percent, 100);
    }
    if (animatedFill >= 0 && IsCharging(battery))
        look.fillPercent = static_cast<unsigned>(std::min(animatedFill, 100));
    return look;
}
