// Messages between the home shell and the programs that talk to it.
#pragma once

namespace vellumate {

// The home screen's window class. It plays the Start menu's part (task lists
// leave the class out), and Back at a program's top level brings it to the
// front.
inline constexpr wchar_t HomeScreenClass[] = L"MSStart";

// Registered message (RegisterWindowMessageW) that makes the title strip (the
// window of class "tray") read the window in front at once, instead of at its
// next timer tick. The session driver sends it before it reads the screen.
inline constexpr wchar_t TitleStripRefreshMessage[] = L"Vellumate.TitleStrip.Refresh";

}  // namespace vellumate
