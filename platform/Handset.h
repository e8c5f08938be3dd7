// The handset's screen geometry, shared by everything that places windows.
#pragma once

namespace vellumate {

inline constexpr int ScreenWidth = 176;
inline constexpr int ScreenHeight = 220;
inline constexpr int TitleStripHeight = 20;  // the home shell's strip at the top
inline constexpr int MenuBarHeight = 20;     // each program's soft-key bar at the bottom

// The area a full-screen window or dialog fills: between strip and menu bar.
inline constexpr int WorkAreaTop = TitleStripHeight;
inline constexpr int WorkAreaHeight = ScreenHeight - TitleStripHeight - MenuBarHeight;

}  // namespace vellumate
