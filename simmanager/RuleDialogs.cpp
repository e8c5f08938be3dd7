#include "simmanager/RuleDialogs.h"

#include "simmanager/EditFields.h"
#include "simmanager/NumberRules.h"
#include "simmanager/resource.h"

#include "framework/DialogControls.h"
#include "framework/MenuBars.h"
#include "framework/ResourceModule.h"
#include "framework/String.h"

#include <commctrl.h>

#include <utility>

// ---- the rule editor --------------------------------------------------------------

RuleEditorDialog::RuleEditorDialog(HWND parent, std::wstring text) noexcept
    : DialogCore(IDD_RULE_EDITOR, parent, IDM_RULE_EDITOR_BAR, text.empty() ? IDS_NEW_RULE_TITLE : IDS_EDIT_RULE_TITLE,
                 true),
      m_text(std::move(text))
{
}

InitResult RuleEditorDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    wchar_t help[512] = {};
    LoadStringW(ResourceModule(), IDS_RULE_HELP, help, 512);
    SetDlgItemTextW(Window(), IDC_RULE_HELP, help);
    HWND field = GetDlgItem(Window(), IDC_RULE_TEXT);
    SendMessageW(field, EM_LIMITTEXT, RuleTextLength, 0);
    RestrictCharacters(field, IsTemplateCharacter);
    SetEditTextSelected(Window(), IDC_RULE_TEXT, m_text.c_str());
    m_focusSet = true;
    UpdateOk();
    return InitResult::Continue;
}

void RuleEditorDialog::UpdateOk()
{
    EnableMenuBarButton(MenuBar(), ID_DIALOG_DONE, FieldHasText(Window(), IDC_RULE_TEXT));
}

bool RuleEditorDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_COMMAND) {
        const wchar_t* insert = nullptr;
        switch (LOWORD(wParam)) {
        case ID_INSERT_OPEN_PAREN: insert = L"("; break;
        case ID_INSERT_CLOSE_PAREN: insert = L")"; break;
        case ID_INSERT_EIGHT_X: insert = L"xxxxxxxx"; break;
        case ID_INSERT_X: insert = L"x"; break;
        case ID_INSERT_HYPHEN: insert = L"-"; break;
        default: break;
        }
        if (insert) {
            InsertAtCaret(GetDlgItem(window, IDC_RULE_TEXT), insert);
            result = 0;
            return true;
        }
        if (HIWORD(wParam) == EN_CHANGE) {
            UpdateOk();
            result = 0;
            return true;
        }
    }
    const auto ok = [&] {
        std::wstring text = FieldText(window, IDC_RULE_TEXT, RuleTextLength);
        if (text.empty())
            return;
        m_text = std::move(text);
        m_confirmed = true;
        EndDialog(window, IDOK);
    };
    if (OnOkOrCancel(message, wParam, ID_DIALOG_DONE, ID_EDITOR_CANCEL, ok, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

// ---- the rule list ---------------------------------------------------------------

namespace {

constexpr UINT_PTR ListKeysId = 0x524C;  // "RL"

// The list hands its digit keys to the dialog as WM_KEYDOWN of the dialog.
LRESULT CALLBACK ListKeysProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR dialog) noexcept
{
    if (message == WM_KEYDOWN && (wParam == '2' || wParam == '8')) {
        SendMessageW(reinterpret_cast<HWND>(dialog), WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    if (message == WM_CHAR && (wParam == '2' || wParam == '8'))
        return 0;  // no search by the first letter
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, ListKeysProcedure, ListKeysId);
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

RuleListDialog::RuleListDialog(HWND parent, std::vector<std::wstring> rules) noexcept
    : DialogCore(IDD_RULE_LIST, parent, IDM_RULE_LIST_BAR, IDS_SETTINGS_RULES, true), m_rules(std::move(rules))
{
}

InitResult RuleListDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND list = GetDlgItem(Window(), IDC_RULE_LIST);
    SetWindowSubclass(list, ListKeysProcedure, ListKeysId, reinterpret_cast<DWORD_PTR>(Window()));
    Refill(m_rules.empty() ? -1 : 0);
    SetFocus(list);
    m_focusSet = true;
    return InitResult::Continue;
}

int RuleListDialog::Selected() const noexcept
{
    const LRESULT index = SendDlgItemMessageW(Window(), IDC_RULE_LIST, LB_GETCURSEL, 0, 0);
    return index == LB_ERR || index >= static_cast<LRESULT>(m_rules.size()) ? -1 : static_cast<int>(index);
}

void RuleListDialog::Refill(int selected)
{
    HWND list = GetDlgItem(Window(), IDC_RULE_LIST);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& rule : m_rules)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rule.c_str()));
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void RuleListDialog::OnMenuOpening(HMENU menu) const
{
    const int selected = Selected();
    const int count = static_cast<int>(m_rules.size());
    EnableMenuCommand(menu, ID_EDIT_RULE, selected >= 0);
    EnableMenuCommand(menu, ID_DELETE_RULE, selected >= 0);
    EnableMenuCommand(menu, ID_MOVE_RULE_UP, selected > 0 && count > 1);
    EnableMenuCommand(menu, ID_MOVE_RULE_DOWN, selected >= 0 && selected < count - 1);
}

void RuleListDialog::Add()
{
    RuleEditorDialog editor(Window(), {});
    RunModal(editor);
    if (!editor.Confirmed())
        return;
    m_rules.push_back(editor.Text());
    Refill(static_cast<int>(m_rules.size()) - 1);
}

void RuleListDialog::Edit()
{
    const int selected = Selected();
    if (selected < 0)
        return;
    RuleEditorDialog editor(Window(), m_rules[static_cast<std::size_t>(selected)]);
    RunModal(editor);
    if (!editor.Confirmed())
        return;
    m_rules[static_cast<std::size_t>(selected)] = editor.Text();
    Refill(selected);
}

void RuleListDialog::Delete()
{
    const int selected = Selected();
    if (selected < 0)
        return;
    m_rules.erase(m_rules.begin() + selected);
    const int count = static_cast<int>(m_rules.size());
    Refill(selected < count ? selected : count - 1);
}

void RuleListDialog::Move(int by)
{
    const int selected = Selected();
    const int target = selected + by;
    if (selected < 0 || target < 0 || target >= static_cast<int>(m_rules.size()))
        return;
    std::swap(m_rules[static_cast<std::size_t>(selected)], m_rules[static_cast<std::size_t>(target)]);
    Refill(target);
}

bool RuleListDialog::OnListKey(UINT key)
{
    if (key == '2')
        Move(-1);
    else if (key == '8')
        Move(1);
    else
        return false;
    return true;
}

bool RuleListDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITMENUPOPUP:
        OnMenuOpening(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_KEYDOWN:
        if (OnListKey(static_cast<UINT>(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_ADD_RULE: Add(); result = 0; return true;
        case ID_EDIT_RULE: Edit(); result = 0; return true;
        case ID_DELETE_RULE: Delete(); result = 0; return true;
        case ID_MOVE_RULE_UP: Move(-1); result = 0; return true;
        case ID_MOVE_RULE_DOWN: Move(1); result = 0; return true;
        default: break;
        }
        break;
    default:
        break;
    }
    const auto ok = [&] {
        m_confirmed = true;
        EndDialog(window, IDOK);
    };
    if (OnOkOrCancel(message, wParam, ID_DIALOG_DONE, ID_EDITOR_CANCEL, ok, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
