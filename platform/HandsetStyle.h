// The handset's colours, shared by the shell and the soft-key bar: dark bars
// (title strip, soft-key bar) around light content, a blue highlight.
#pragma once

#include <windows.h>

namespace vellumate::style {

inline constexpr COLORREF BarTop = RGB(62, 78, 110);
inline constexpr COLORREF BarBottom = RGB(18, 24, 38);
inline constexpr COLORREF BarEdge = RGB(8, 10, 16);
inline constexpr COLORREF BarText = RGB(255, 255, 255);
inline constexpr COLORREF BarDimText = RGB(200, 210, 228);
inline constexpr COLORREF BarGreyedText = RGB(108, 120, 146);  // a soft key that does nothing now
inline constexpr COLORREF BarDivider = RGB(86, 100, 132);

inline constexpr COLORREF Background = RGB(255, 255, 255);
inline constexpr COLORREF Text = RGB(0, 0, 0);
inline constexpr COLORREF DimText = RGB(140, 140, 140);
inline constexpr COLORREF HighlightTop = RGB(74, 128, 214);
inline constexpr COLORREF HighlightBottom = RGB(34, 82, 168);
inline constexpr COLORREF HighlightText = RGB(255, 255, 255);

// The scroll bar of a list whose rows do not all fit.
inline constexpr int ScrollBarWidth = 3;
inline constexpr COLORREF ScrollTrack = RGB(226, 230, 238);
inline constexpr COLORREF ScrollThumb = RGB(120, 134, 160);

inline constexpr int Margin = 5;

}  // namespace vellumate::style
