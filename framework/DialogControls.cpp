#include "framework/DialogControls.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR VerticalLinkId = 0x564C;  // "VL"

bool IsListBox(HWND control) noexcept
{
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    return lstrcmpiW(className, L"ListBox") == 0;
}

// Whether Up or Down stays inside the control.
bool KeyStaysInside(HWND control, bool up) noexcept
{
    if (!IsListBox(control))
        return false;
    const LRESULT count = SendMessageW(control, LB_GETCOUNT, 0, 0);
    const LRESULT selected = SendMessageW(control, LB_GETCURSEL, 0, 0);
    if (count <= 0 || selected == LB_ERR)
        return false;
    return up ? selected > 0 : selected < count - 1;
}

// The reference data holds the controls above (bits 0-15) and below (bits
// 16-31), 0 where there is none, and in bit 32 whether the caret goes to the
// end instead of the text being selected.
constexpr DWORD_PTR CaretAtEndBit = DWORD_PTR{1} << 32;
LRESULT CALLBACK VerticalLinkProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR links) noexcept
{
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        const bool up = wParam == VK_UP;
        if (KeyStaysInside(control, up))
            return DefSubclassProc(control, message, wParam, lParam);
        const int next = up ? LOWORD(links) : HIWORD(links);
        if (HWND target = next != 0 ? GetDlgItem(GetParent(control), next) : nullptr) {
            SetFocus(target);
            if (links & CaretAtEndBit) {
                const int length = GetWindowTextLengthW(target);
                SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(length), length);
            } else
                SendMessageW(target, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(control, VerticalLinkProcedure, VerticalLinkId);
    return DefSubclassProc(control, message, wParam, lParam);
}

constexpr UINT_PTR ActionKeyBoxId = 0x414B;  // "AK"

LRESULT CALLBACK ActionKeyBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR) noexcept
{
    switch (message) {
    case WM_GETDLGCODE:
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE | DefSubclassProc(box, message, wParam, lParam);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            SendMessageW(box, BM_CLICK, 0, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r')
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, ActionKeyBoxProcedure, ActionKeyBoxId);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace

String ControlText(HWND dialog, int control)
{
    HWND field = GetDlgItem(dialog, control);
    String text;
    const int length = field ? GetWindowTextLengthW(field) : 0;
    if (length > 0)
        text.Commit(GetWindowTextW(field, text.Reserve(length + 1), length + 1));
    return text;
}

void SetEditTextSelected(HWND dialog, int control, const wchar_t* text)
{
    HWND field = GetDlgItem(dialog, control);
    if (!field)
        return;
    SetWindowTextW(field, text);
    SetFocus(field);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

void LinkFieldsVertically(HWND dialog, std::initializer_list<int> controls, FieldEntry entry)
{
    const int* ids = controls.begin();
    const int count = static_cast<int>(controls.size());
    for (int index = 0; index < count; ++index) {
        const int above = index > 0 ? ids[index - 1] : 0;
        const int below = index + 1 < count ? ids[index + 1] : 0;
        if (HWND control = GetDlgItem(dialog, ids[index]))
            SetWindowSubclass(control, VerticalLinkProcedure, VerticalLinkId,
                              static_cast<DWORD_PTR>(MAKELONG(static_cast<WORD>(above), static_cast<WORD>(below))) |
                                  (entry == FieldEntry::CaretAtEnd ? CaretAtEndBit : 0));
    }
}

void TickBoxesWithActionKey(HWND dialog, std::initializer_list<int> boxes)
{
    for (int id : boxes) {
        if (HWND box = GetDlgItem(dialog, id))
            SetWindowSubclass(box, ActionKeyBoxProcedure, ActionKeyBoxId, 0);
    }
}
