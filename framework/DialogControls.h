// Small pieces every program's dialogs share: the OK and Cancel commands,
// reading a control's text, and putting a text into a field to be typed over.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <initializer_list>

// OK and Cancel: the commands `ok` and `cancel` of the dialog's soft keys,
// or the dialog manager's IDOK and IDCANCEL (Enter in a field, Back). True
// when the message was one of them, after running `onOk` or `onCancel`.
template <typename Ok, typename Cancel>
bool OnOkOrCancel(UINT message, WPARAM wParam, UINT ok, UINT cancel, Ok&& onOk, Cancel&& onCancel)
{
    if (message != WM_COMMAND)
        return false;
    const UINT command = LOWORD(wParam);
    if (command == ok || command == IDOK) {
        onOk();
        return true;
    }
    if (command == cancel || command == IDCANCEL) {
        onCancel();
        return true;
    }
    return false;
}

// The text of a dialog's control.
String ControlText(HWND dialog, int control);

// Puts `text` into an edit control of a dialog, all of it selected, and
// gives it the focus.
void SetEditTextSelected(HWND dialog, int control, const wchar_t* text);

// Up and Down move between these controls of a dialog, top to bottom, as the
// keypad has no other way there: always from an edit field or a button, and
// from a list box at its first or last row (inside it they move the
// selection). The field moved to has its text selected, ready to be typed
// over, or the caret at its end, ready to be added to.
enum class FieldEntry { SelectText, CaretAtEnd };
void LinkFieldsVertically(HWND dialog, std::initializer_list<int> controls,
                          FieldEntry entry = FieldEntry::SelectText);

// The action key (Enter) on one of these check boxes ticks or clears it, as
// on the handset, instead of reaching the dialog as its OK.
void TickBoxesWithActionKey(HWND dialog, std::initializer_list<int> boxes);
