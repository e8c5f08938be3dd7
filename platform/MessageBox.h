// Message boxes on the handset's screen. A desktop message box grows as wide
// as its text wants (on a 176-pixel screen, off both sides of it); this one
// is laid out again when it opens: as wide as the screen, the text wrapped
// into that width, the buttons in one row under it, the whole centred in the
// work area.
#pragma once

#include <windows.h>

namespace vellumate {

// MessageBoxW, laid out for the handset. Returns what MessageBoxW returns.
int HandsetMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) noexcept;

// Lays out an open message box (a "#32770" window with a text, an optional
// icon and push buttons) for the screen.
void FitMessageBoxToScreen(HWND box) noexcept;

}  // namespace vellumate
