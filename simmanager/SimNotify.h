// Where the SIM's notification thread reports: the main window, which the
// user interface names here when it is created and clears when it goes.
#pragma once

#include <windows.h>

void SetSimNotifyWindow(HWND window) noexcept;
HWND SimNotifyWindow() noexcept;

// Posts SIM_NOTIFY_MESSAGE (wParam `code`, lParam 0) to that window, if any.
// Safe on any thread.
void PostSimNotify(DWORD code) noexcept;
