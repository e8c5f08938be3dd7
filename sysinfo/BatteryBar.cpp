#include "sysinfo/BatteryBar.h"

#include "sysinfo/resource.h"

#include <algorithm>

namespace {

constexpr BYTE FlagHigh = 0x01;
constexpr BYTE FlagLow = 0x02;
constexpr BYTE FlagCritical = 0x04;
constexpr BYTE FlagCharging = 0x08;
constexpr BYTE FlagUnknown = 0xFF;
constexpr BYTE PercentUnknown = 0xFF;
constexpr BYTE PercentFull = 100;

} // namespace

bool HasNoInformation(const BatteryState& battery) noexcept
{
    // Read as a signed byte, every flag from 128 (no battery) to 254 is
    // below -1; 255 (unknown) is -1 and still says something.
    return static_cast<signed char>(battery.flag) < -1 || battery.noFigures;
}

bool IsCharging(const BatteryState& battery) noexcept
{
    return battery.flag != FlagUnknown && (battery.flag & FlagCharging) && battery.percent != PercentFull &&
           !HasNoInformation(battery);
}

COLORREF BatteryFillColour(BYTE flag) noexcept
{
    if (flag == FlagUnknown)
        return BarBlue;
    if (flag & FlagCritical)
        return BarRed;
    if (flag & FlagLow)
        return BarOlive;
    if (flag & FlagHigh)
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
    } else if (battery.percent == PercentUnknown) {
        look.text = MAKEINTRESOURCEW(IDS_UNKNOWN);
    } else {
        look.text.FormatText(L"%d%%", static_cast<int>(battery.percent));
        look.fillPercent = std::min<unsigned>(battery.percent, 100);
    }
    if (animatedFill >= 0 && IsCharging(battery))
        look.fillPercent = static_cast<unsigned>(std::min(animatedFill, 100));
    return look;
}
