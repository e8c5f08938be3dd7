#include "simmanager/NumberChangeDialogs.h"

#include "simmanager/EditFields.h"
#include "simmanager/NumberRules.h"
#include "simmanager/SimMessageBoxes.h"
#include "simmanager/resource.h"

#include "framework/DialogControls.h"
#include "framework/MenuBars.h"
#include "framework/String.h"

PrefixDialog::PrefixDialog(HWND parent, PrefixMode mode) noexcept
    : DialogCore(IDD_PREFIX, parent, IDM_NUMBER_CHANGE_BAR,
                 mode == PrefixMode::Add ? IDS_ADD_PREFIX_TITLE : IDS_REMOVE_PREFIX_TITLE, true),
      m_mode(mode)
{
}

InitResult PrefixDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    String boxText;
    boxText.LoadResourceText(m_mode == PrefixMode::Add ? IDS_ADD_PREFIX_ZERO : IDS_REMOVE_PREFIX_ZERO);
    SetDlgItemTextW(Window(), IDC_PREFIX_ZERO, boxText);
    for (int field : {IDC_PREFIX_FIRST, IDC_PREFIX_SECOND}) {
        SendDlgItemMessageW(Window(), field, EM_LIMITTEXT, NumberChangeFieldLength, 0);
        RestrictCharacters(GetDlgItem(Window(), field), IsNumberCharacter);
    }
    LinkFieldsVertically(Window(), {IDC_PREFIX_FIRST, IDC_PREFIX_SECOND, IDC_PREFIX_ZERO});
    TickBoxesWithActionKey(Window(), {IDC_PREFIX_ZERO});
    SetFocus(GetDlgItem(Window(), IDC_PREFIX_FIRST));
    m_focusSet = true;
    UpdateOk();
    return InitResult::Continue;
}

void PrefixDialog::UpdateOk()
{
    EnableMenuBarButton(MenuBar(), ID_DIALOG_OK,
                        FieldHasText(Window(), IDC_PREFIX_FIRST) || FieldHasText(Window(), IDC_PREFIX_SECOND));
}

bool PrefixDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        UpdateOk();
        result = 0;
        return true;
    }
    const auto ok = [&] {
        const std::wstring prefix = FieldText(window, IDC_PREFIX_FIRST, NumberChangeFieldLength) +
                                    FieldText(window, IDC_PREFIX_SECOND, NumberChangeFieldLength);
        if (prefix.empty())
            return;  // Enter in an empty field: OK is greyed
        m_prefix = prefix;
        m_zero = IsDlgButtonChecked(window, IDC_PREFIX_ZERO) == BST_CHECKED;
        m_confirmed = true;
        EndDialog(window, IDOK);
    };
    if (OnOkOrCancel(message, wParam, ID_DIALOG_OK, ID_DIALOG_CANCEL, ok, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

ReplaceDialog::ReplaceDialog(HWND parent) noexcept
    : DialogCore(IDD_REPLACE_TEXT, parent, IDM_NUMBER_CHANGE_BAR, 0, true)
{
}

InitResult ReplaceDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    for (int field : {IDC_REPLACE_FIND, IDC_REPLACE_WITH}) {
        SendDlgItemMessageW(Window(), field, EM_LIMITTEXT, NumberChangeFieldLength, 0);
        RestrictCharacters(GetDlgItem(Window(), field), IsNumberCharacter);
    }
    LinkFieldsVertically(Window(), {IDC_REPLACE_FIND, IDC_REPLACE_WITH});
    SetFocus(GetDlgItem(Window(), IDC_REPLACE_FIND));
    m_focusSet = true;
    return InitResult::Continue;
}

void ReplaceDialog::OnOk()
{
    std::wstring find = FieldText(Window(), IDC_REPLACE_FIND, NumberChangeFieldLength);
    std::wstring replacement = FieldText(Window(), IDC_REPLACE_WITH, NumberChangeFieldLength);
    if (find.empty() || replacement.empty()) {
        ShowSimError(Window(), IDS_REPLACE_NEEDS_TEXTS);
        return;
    }
    m_find = std::move(find);
    m_replacement = std::move(replacement);
    m_confirmed = true;
    EndDialog(Window(), IDOK);
}

bool ReplaceDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_OK, ID_DIALOG_CANCEL, [&] { OnOk(); }, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
