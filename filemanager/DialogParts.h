// Small pieces that Tarnwell's dialogs share: bold 14-pixel headings, a list
// control that takes every key, and the shell's small icons.
#pragma once

#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <utility>

// Headings: static controls that take their text from a string, in a bold
// font that lives as long as this object (a member of the dialog).
class DialogHeadings {
public:
    // Each pair is a control of `dialog` and the string it shows.
    void Apply(HWND dialog, std::initializer_list<std::pair<int, UINT>> headings);

private:
    vellumate::FontHandle m_font;
};

// A list control of a dialog that takes every key (the dialog manager keeps
// none of them), Enter included: Enter sends `enterCommand` to the dialog as
// a WM_COMMAND.
void TakeAllKeys(HWND list, UINT enterCommand);

// Adds the shell's small icon of a handset path to `images`; its index, or -1.
int AddSmallShellIcon(HIMAGELIST images, const wchar_t* handsetPath);

// The text of a dialog's control.
String ControlText(HWND dialog, int control);
// Puts `text` into an edit control of a dialog, all of it selected, and
// gives it the focus.
void SetEditTextSelected(HWND dialog, int control, const wchar_t* text);
