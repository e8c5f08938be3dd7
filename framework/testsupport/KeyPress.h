// Key presses for tests: sent straight to a window's procedure, or posted as
// the system queues them (with the scan code and the transition bits).
#pragma once

#include <windows.h>

namespace vellumate {

// The lParam of a key message as the system builds it for `virtualKey`:
// repeat count 1, the scan code, and the previous-state and transition bits
// of a release (`up`) or of an auto-repeated press (`repeat`).
LPARAM KeyData(UINT virtualKey, bool up, bool repeat = false);

// Sends WM_KEYDOWN and WM_KEYUP to `window`'s procedure, as a key press it
// handles itself (no focus, no soft-key bar in between).
void SendKeyPress(HWND window, UINT virtualKey);

// Posts WM_KEYDOWN (or WM_KEYUP) to `window`, as the system queues a key for
// the focus window; nothing is dispatched here.
void PostKeyDown(HWND window, UINT virtualKey, bool repeat = false);
void PostKeyUp(HWND window, UINT virtualKey);

// Posts a press and a release to the focus window of `window`'s thread (or
// to `window` when nothing has the focus), so that the thread's key handling
// sees them as it takes keys from the keyboard.
void PostKeyToFocus(HWND window, UINT virtualKey);

}  // namespace vellumate
