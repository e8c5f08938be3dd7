#include "cleaner/IntroDialog.h"

#include "cleaner/resource.h"

#include "framework/DialogControls.h"
#include "framework/String.h"

IntroDialog::IntroDialog(HWND parent, HFONT font) noexcept
    : DialogCore(IDD_INTRO, parent, IDM_INTRO_BAR, IDS_INTRO_TITLE, true), m_font(font)
{
}

InitResult IntroDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    String text;
    text.LoadResourceText(IDS_INTRO_TEXT);
    SetDlgItemTextW(Window(), IDC_INTRO_TEXT, text);
    for (int control : {IDC_INTRO_TEXT, IDC_INTRO_DONT_SHOW})
        SendDlgItemMessageW(Window(), control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    TickBoxesWithActionKey(Window(), {IDC_INTRO_DONT_SHOW});
    SetFocus(GetDlgItem(Window(), IDC_INTRO_DONT_SHOW));
    m_focusSet = true;
    return InitResult::Continue;
}

bool IntroDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        m_dontShowAgain = LOWORD(wParam) == IDOK && IsDlgButtonChecked(window, IDC_INTRO_DONT_SHOW) == BST_CHECKED;
        EndDialog(window, LOWORD(wParam));
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
