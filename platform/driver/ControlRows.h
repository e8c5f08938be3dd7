// Reading the rows of the list controls of any process: list boxes and combo
// boxes by their own messages, list views and tree views through a buffer in
// the owning process (their item messages carry pointers, which are not
// carried across processes).
#pragma once

#include "platform/driver/WindowSnapshot.h"

#include <windows.h>

namespace vellumate {

// Every message to another program's window goes with a time limit, so that
// a hung program cannot hang the driver.
inline constexpr UINT ControlQueryTimeoutMs = 2000;

// Sends `message` with the time limit; nothing when the window did not answer.
std::optional<LRESULT> QueryWindow(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The window's text (WM_GETTEXT), or the stored title when it does not answer;
// "#N" for a picture's resource number N.
std::wstring ReadWindowText(HWND window);

// Fills node.rows (and node.rowStyle, node.unreadableRows) for the list
// controls named above; other classes are left alone.
void ReadControlRows(HWND window, WindowNode& node);

}  // namespace vellumate
