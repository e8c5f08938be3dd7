// Small pieces that Tarnwell's dialogs share: bold 14-pixel headings, a list
// control that takes every key, and the shell's small icons.
#pragma once

#include "framework/DialogControls.h"
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

// Makes a static text as tall as its text needs at its width (word-wrapped,
// in its font) and moves the controls below it down by as much, so that a
// text longer than the template planned for is not cut off.
void GrowTextDownward(HWND dialog, int control);

// The one list of a dialog, set up to fill the dialog from the top down to
// `bottom` (pixels of the client area): one column as wide as the list,
// named `columnName`, the extended styles, a 16 x 16 image list (owned by
// the control), and every key (the dialog manager keeps none of them), Enter
// included, which sends `enterCommand` to the dialog as a WM_COMMAND. The
// list gets the focus. Returns the image list (null when there is no list).
HIMAGELIST SetUpDialogList(HWND dialog, int control, int bottom, DWORD extendedStyles, const wchar_t* columnName,
                           UINT enterCommand);

// Adds the shell's small icon of a handset path to `images`; its index, or -1.
int AddSmallShellIcon(HIMAGELIST images, const wchar_t* handsetPath);

// Adds the shell's small icon of a file type (by the extension of
// `fileName`, ".sys" for none) to `images`; its index, or -1.
int AddSmallTypeIcon(HIMAGELIST images, const wchar_t* fileName);
