#include "sysinfo/PageTheme.h"

#include <cmath>

namespace {

// 255 - factor * (255 - channel) / 176, rounded to the nearest integer; the
// operations in this order, so that halves round the same way every time.
BYTE Pale(BYTE channel, double factor) noexcept
{
    return static_cast<BYTE>(std::lround(255.0 - factor * (255 - channel) / GradientWidth));
}

COLORREF Pale(COLORREF colour, double factor) noexcept
{
    return RGB(Pale(GetRValue(colour), factor), Pale(GetGValue(colour), factor), Pale(GetBValue(colour), factor));
}

}  // namespace

COLORREF GradientColour(int column, COLORREF highlight) noexcept
{
    return Pale(highlight, column * 0.3);
}

COLORREF HeaderTint(COLORREF highlight) noexcept
{
    return Pale(highlight, 68.64);
}
