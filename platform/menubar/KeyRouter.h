// Where the keys of a thread with soft-key bars go. The thread's message hook
// calls RouteKey for every key message before the program sees it:
//
// - While a popup menu is open, every key belongs to the menu.
// - F1/F2 press the left/right soft key of the bar of the window in front: a
//   pressed look while held, the action (its command, or its popup) on
//   release.
// - Esc is Back: the default Back handling (BackKey.h) on key-down, unless the
//   bar has SHCMBM_OVERRIDEKEY with SHMBOF_NODEFAULT for it; with
//   SHMBOF_NOTIFY the bar's parent gets WM_HOTKEY on key-down (modifiers 0)
//   and on key-up (MOD_KEYUP), wParam the press number.
// - Any other key with an override of its own goes to the parent as WM_HOTKEY
//   (with SHMBOF_NOTIFY) and never to the focus.
// A key-up always goes where its key-down went, even when the window in front
// has changed in between, so one press never acts twice.
#pragma once

#include <windows.h>

namespace vellumate {

class MenuBarThread;

// True when the key was taken (the program must not see it).
bool RouteKey(MenuBarThread& thread, const MSG& message);

// What a released soft key does: opens its popup or posts its command.
void ActivateSoftKey(HWND bar, int key);

}  // namespace vellumate
