// The handset's default handling of the Back key, used by a bar whose Back is
// not overridden and by SHSendBackToFocusWindow:
//
// - an edit control with the focus and some text deletes the character
//   before the caret (on every stroke, so a held Back keeps deleting);
// - otherwise, on the first stroke of a press only: a dialog owned by another
//   window (a screen of a program) is cancelled with IDCANCEL, and at a
//   program's top level the home screen (window class "MSStart") comes to the
//   front; the program keeps running behind it.
#pragma once

#include <windows.h>

namespace vellumate {

enum class BackAction { None, DeleteCharacter, CancelDialog, ShowHome };

// What Back does for the window `focus` (the focus window, or a top-level
// window when nothing has the focus).
BackAction ChooseBackAction(HWND focus, bool firstStroke) noexcept;

// The default handling for a Back key that went to `focus` (the window the
// key was queued for).
void RunDefaultBack(HWND focus, bool firstStroke) noexcept;

}  // namespace vellumate
