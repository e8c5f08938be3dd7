// Soft-key menu bars from the resource module, and their buttons.
#pragma once

#include <windows.h>

// What the Back key does while a bar is in front.
enum class BackKey {
    Default,   // the platform's: the home screen, or the focus's own handling
    ToProgram  // no default handling: the bar's owner gets WM_HOTKEY on press and on release
};

// Creates bar `barId` of the resource module for `owner`, hidden when asked.
// Null when the bar cannot be made.
HWND CreateMenuBar(HWND owner, UINT barId, BackKey back, bool hidden = false) noexcept;

// Buttons of a bar, addressed by their command.
void HideMenuBarButton(HWND menuBar, int command);
void SetMenuBarButtonText(HWND menuBar, int command, const wchar_t* text);
// Enables or greys a command of a menu that is about to open.
void EnableMenuCommand(HMENU menu, UINT command, bool enabled) noexcept;

// A greyed button shows its text dimmed and sends nothing.
void EnableMenuBarButton(HWND menuBar, int command, bool enabled);
