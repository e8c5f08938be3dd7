// Messages between the home shell and the programs that talk to it.
#pragma once

namespace vellumate {

// Registered message (RegisterWindowMessageW) that makes the title strip (the
// window of class "tray") read the window in front at once, instead of at its
// next timer tick. The session driver sends it before it reads the screen.
inline constexpr wchar_t TitleStripRefreshMessage[] = L"Vellumate.TitleStrip.Refresh";

}  // namespace vellumate
