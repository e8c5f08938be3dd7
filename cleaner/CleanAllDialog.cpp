#include "cleaner/CleanAllDialog.h"

#include "cleaner/resource.h"

#include "framework/DialogControls.h"
#include "framework/MenuBars.h"

namespace {

// The boxes in the order their categories run.
struct Box {
    int control;
    UINT category;
};
constexpr Box Boxes[] = {
    {IDC_CLEAN_CALLS, IDS_CATEGORY_CALL_LOG},
    {IDC_CLEAN_MAIL, IDS_CATEGORY_ALL_MAIL},
    {IDC_CLEAN_TEXTS, IDS_CATEGORY_ALL_TEXTS},
    {IDC_CLEAN_SPEED_DIAL, IDS_CATEGORY_SPEED_DIAL},
    {IDC_CLEAN_NOTES, IDS_CATEGORY_VOICE_NOTES},
};

}  // namespace

CleanAllDialog::CleanAllDialog(HWND parent) noexcept
    : DialogCore(IDD_CLEAN_ALL, parent, IDM_CLEAN_ALL_BAR, IDS_CLEAN_ALL_TITLE, true)
{
}

InitResult CleanAllDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    TickBoxesWithActionKey(Window(), {IDC_CLEAN_CALLS, IDC_CLEAN_MAIL, IDC_CLEAN_TEXTS, IDC_CLEAN_SPEED_DIAL,
                                      IDC_CLEAN_NOTES});
    LinkFieldsVertically(Window(), {IDC_CLEAN_CALLS, IDC_CLEAN_MAIL, IDC_CLEAN_TEXTS, IDC_CLEAN_SPEED_DIAL,
                                    IDC_CLEAN_NOTES});
    SetFocus(GetDlgItem(Window(), IDC_CLEAN_CALLS));
    m_focusSet = true;
    UpdateOk();
    return InitResult::Continue;
}

void CleanAllDialog::SetAll(bool ticked)
{
    for (const Box& box : Boxes)
        CheckDlgButton(Window(), box.control, ticked ? BST_CHECKED : BST_UNCHECKED);
    UpdateOk();
}

void CleanAllDialog::UpdateOk()
{
    bool any = false;
    for (const Box& box : Boxes)
        any = any || IsDlgButtonChecked(Window(), box.control) == BST_CHECKED;
    EnableMenuBarButton(MenuBar(), IDOK, any);
}

bool CleanAllDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND) {
        result = 0;
        switch (LOWORD(wParam)) {
        case ID_TICK_ALL:
            SetAll(true);
            return true;
        case ID_CLEAR_ALL:
            SetAll(false);
            return true;
        case IDOK:
            m_chosen.clear();
            for (const Box& box : Boxes) {
                if (IsDlgButtonChecked(window, box.control) == BST_CHECKED)
                    m_chosen.push_back(box.category);
            }
            if (m_chosen.empty())
                return true;  // greyed
            m_confirmed = true;
            EndDialog(window, IDOK);
            return true;
        case IDCANCEL:
            EndDialog(window, IDCANCEL);
            return true;
        default:
            if (HIWORD(wParam) == BN_CLICKED) {
                UpdateOk();
                return true;
            }
            break;
        }
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
