// The page background's colours, all derived from the system highlight
// colour: a strip that pales the highlight from white at its left edge to
// 30 % of the highlight at its right edge, and a stronger tint for the header.
#pragma once

#include <windows.h>

inline constexpr int GradientWidth = 176;

// Column `column` (0 to GradientWidth - 1) of the gradient strip: per
// channel c, 255 - column * 0.3 * (255 - c) / 176, rounded.
COLORREF GradientColour(int column, COLORREF highlight) noexcept;

// The header's tint: per channel c, 255 - 68.64 * (255 - c) / 176, rounded.
COLORREF HeaderTint(COLORREF highlight) noexcept;
