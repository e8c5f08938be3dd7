// Bar graphs: what a bar shows (its fill, text and colours) and the sums
// behind it. Drawing is RowPainter's business.
#pragma once

#include "framework/String.h"

#include <windows.h>

// What one bar shows: a fill of `fillPercent` of its inner width in
// `fillColour`, and `text` centred, in `textColour` over the fill and in
// black elsewhere.
struct BarLook {
    unsigned fillPercent = 0;  // 0 to 100
    String text;
    COLORREF fillColour = RGB(0, 0, 255);
    COLORREF textColour = RGB(255, 255, 255);

    friend bool operator==(const BarLook& a, const BarLook& b) noexcept
    {
        return a.fillPercent == b.fillPercent && a.text == b.text && a.fillColour == b.fillColour &&
               a.textColour == b.textColour;
    }
};

// The bar colours of the pages, as COLORREF values (0x00BBGGRR).
inline constexpr COLORREF BarRed = 0x0000C0;
inline constexpr COLORREF BarYellow = 0x00FFFF;
inline constexpr COLORREF BarBlue = 0xC00000;
inline constexpr COLORREF BarGreen = 0x00C000;
inline constexpr COLORREF BarOlive = 0x00C0C0;
inline constexpr COLORREF BarTextBlue = 0xFF0000;
inline constexpr COLORREF BarTextWhite = 0xFFFFFF;

// The free fraction of a figure: free / total, 0 for a total of (nearly)
// nothing. Kept within 0 to 1, so that a bar never runs past its cell.
double FreeFraction(double total, double free) noexcept;

// The percentage a bar shows for a fraction: rounded to the nearest whole
// percent, 0 to 100.
unsigned BarPercent(double fraction) noexcept;

// The fill of a bar whose cell is `innerWidth` pixels wide inside its frame,
// for `percent`: rounded to the nearest pixel, at most innerWidth.
int BarFillWidth(int innerWidth, unsigned percent) noexcept;

// Memory and storage bars: the quarter of the free fraction picks the
// colours, red for the last quarter up to green from three quarters free.
struct BarColours {
    COLORREF fill;
    COLORREF text;
};
BarColours ColoursForFreeFraction(double fraction) noexcept;

// The whole bar of a memory or storage figure: "NN%" (or "<N/A>" when nothing
// is free or nothing is known) in the colours of its free fraction.
BarLook FreeSpaceBar(double total, double free);
