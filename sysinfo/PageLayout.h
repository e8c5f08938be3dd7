// Where things are on a page: a 32-pixel header, a line beneath it, then rows
// 168 pixels wide, 20 pixels high (24 with the large font), on a background
// of gradient strips down to y = 192. Made for a screen 176 pixels wide.
#pragma once

#include <windows.h>

namespace layout {

inline constexpr int PageWidth = 176;
inline constexpr int HeaderHeight = 32;
inline constexpr RECT Header{0, 0, PageWidth, HeaderHeight};
inline constexpr POINT IconPosition{8, 0};
inline constexpr int IconSize = 32;
inline constexpr RECT TitleArea{40, 0, PageWidth, HeaderHeight};
inline constexpr int LineTop = 32;  // the highlight-coloured line under the header

inline constexpr int StripHeight = 16;
inline constexpr int BackgroundTop = 32;
inline constexpr int BackgroundBottom = 192;

inline constexpr int RowLeft = 4;
inline constexpr int RowRight = 172;
inline constexpr int FirstRowTop = 34;
inline constexpr int NormalRowHeight = 20;
inline constexpr int LargeRowHeight = 24;
inline constexpr int RowBufferWidth = PageWidth;
inline constexpr int RowBufferHeight = 24;

// Font heights (character height, so negative) of the two sizes.
inline constexpr int NormalFontHeight = -13;
inline constexpr int LargeFontHeight = -16;

constexpr int RowHeight(bool largeFont) noexcept
{
    return largeFont ? LargeRowHeight : NormalRowHeight;
}

constexpr RECT RowRect(int row, bool largeFont) noexcept
{
    const int height = RowHeight(largeFont);
    return RECT{RowLeft, FirstRowTop + row * height, RowRight, FirstRowTop + (row + 1) * height};
}

}  // namespace layout
