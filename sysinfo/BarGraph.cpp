#include "sysinfo/BarGraph.h"

#include "sysinfo/resource.h"

#include <algorithm>
#include <cmath>

namespace {

// Totals at or below this are no figure to divide by.
constexpr double SmallestTotal = 0.000001;

}  // namespace

double FreeFraction(double total, double free) noexcept
{
    if (!(std::fabs(total) > SmallestTotal))  // also when total is not a number
        return 0.0;
    const double fraction = free / total;
    if (!(fraction > 0.0))
        return 0.0;
    return std::min(fraction, 1.0);
}

unsigned BarPercent(double fraction) noexcept
{
    if (!(fraction > 0.0))
        return 0;
    return static_cast<unsigned>(std::min(fraction, 1.0) * 100.0 + 0.5);
}

int BarFillWidth(int innerWidth, unsigned percent) noexcept
{
    if (innerWidth <= 0)
        return 0;
    const int width = static_cast<int>(innerWidth * std::min(percent, 100u) * 0.01 + 0.5);
    return std::min(width, innerWidth);
}

BarColours ColoursForFreeFraction(double fraction) noexcept
{
    const int quarter = fraction > 0.0 ? static_cast<int>(fraction * 4.0) : 0;
    switch (quarter) {
    case 0:
        return {BarRed, BarTextWhite};
    case 1:
        return {BarYellow, BarTextBlue};
    case 2:
        return {BarBlue, BarTextWhite};
    default:
        return {BarGreen, BarTextWhite};
    }
}

BarLook FreeSpaceBar(double total, double free)
{
    const double fraction = FreeFraction(total, free);
    const BarColours colours = ColoursForFreeFraction(fraction);
    BarLook look;
    look.fillPercent = BarPercent(fraction);
    look.fillColour = colours.fill;
    look.textColour = colours.text;
    if (fraction > 0.0)
        look.text.FormatText(L"%d%%", static_cast<int>(look.fillPercent));
    else
        look.text = MAKEINTRESOURCEW(IDS_NOT_AVAILABLE);
    return look;
}
