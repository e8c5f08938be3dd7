#include "simmanager/SettingsDialogs.h"

#include "simmanager/resource.h"

#include "framework/DialogControls.h"
#include "framework/String.h"

#include <initializer_list>

namespace {

void FillList(HWND dialog, int control, std::initializer_list<UINT> strings, std::uint32_t selected)
{
    HWND list = GetDlgItem(dialog, control);
    for (UINT id : strings) {
        String text;
        text.LoadResourceText(id);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.Chars()));
    }
    // A value outside the list (a hand-edited registry) selects the first entry.
    const std::uint32_t index = selected < strings.size() ? selected : 0;
    SendMessageW(list, LB_SETCURSEL, index, 0);
}

std::uint32_t Selection(HWND dialog, int control) noexcept
{
    const LRESULT index = SendDlgItemMessageW(dialog, control, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? 0 : static_cast<std::uint32_t>(index);
}

}  // namespace

SettingsChooserDialog::SettingsChooserDialog(HWND parent) noexcept
    : DialogCore(IDD_SETTINGS_CHOOSER, parent, IDM_SETTINGS_CHOOSER_BAR, 0, true)
{
}

InitResult SettingsChooserDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    FillList(Window(), IDC_SETTINGS_LIST, {IDS_SETTINGS_SORT, IDS_SETTINGS_RULES}, 0);
    SetFocus(GetDlgItem(Window(), IDC_SETTINGS_LIST));
    m_focusSet = true;
    return InitResult::Continue;
}

void SettingsChooserDialog::OnOk()
{
    m_choice = Selection(Window(), IDC_SETTINGS_LIST) == 1 ? SettingsPage::DisplayRules : SettingsPage::SortAndDisplay;
    EndDialog(Window(), IDOK);
}

bool SettingsChooserDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Enter, the action key, on the list chooses too.
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_SETTINGS_LIST && HIWORD(wParam) == LBN_DBLCLK) {
        OnOk();
        result = 0;
        return true;
    }
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_DONE, ID_EDITOR_CANCEL, [&] { OnOk(); }, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

SortDisplayDialog::SortDisplayDialog(HWND parent, SortAndDisplay current) noexcept
    : DialogCore(IDD_SORT_DISPLAY, parent, IDM_SORT_DISPLAY_BAR, IDS_SETTINGS_SORT, true), m_current(current)
{
}

InitResult SortDisplayDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    FillList(Window(), IDC_SORT_LIST, {IDS_BY_NAME, IDS_BY_NUMBER, IDS_BY_POSITION}, m_current.sortKey);
    FillList(Window(), IDC_DISPLAY_LIST, {IDS_BY_NAME, IDS_BY_NUMBER}, m_current.displayKey);
    LinkFieldsVertically(Window(), {IDC_SORT_LIST, IDC_DISPLAY_LIST});
    SetFocus(GetDlgItem(Window(), IDC_SORT_LIST));
    m_focusSet = true;
    return InitResult::Continue;
}

void SortDisplayDialog::OnOk()
{
    m_choice = SortAndDisplay{Selection(Window(), IDC_SORT_LIST), Selection(Window(), IDC_DISPLAY_LIST)};
    EndDialog(Window(), IDOK);
}

bool SortDisplayDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_DONE, ID_DIALOG_CANCEL, [&] { OnOk(); }, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
