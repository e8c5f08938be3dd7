// The window in front, as the shell sees it.
#pragma once

#include <windows.h>

namespace vellumate {

// The foreground window, or nullptr when nothing a person can see is in front
// (no window, a hidden one, or the desktop itself: Wine's virtual desktop
// can be the foreground window).
HWND FrontWindow() noexcept;

}  // namespace vellumate
