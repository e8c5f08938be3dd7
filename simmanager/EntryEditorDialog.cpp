#include "simmanager/EntryEditorDialog.h"

#include "simmanager/EditFields.h"
#include "simmanager/NumberRules.h"
#include "simmanager/SimMessageBoxes.h"
#include "simmanager/resource.h"

#include "framework/DialogControls.h"
#include "framework/MenuBars.h"

#include <limits>
#include <utility>

namespace {

std::size_t FieldLength(HWND dialog, int control) noexcept
{
    HWND field = GetDlgItem(dialog, control);
    return field ? static_cast<std::size_t>(GetWindowTextLengthW(field)) : 0;
}

}  // namespace

EntryEditorDialog::EntryEditorDialog(HWND parent, EntryTexts texts, std::size_t nameLimit,
                                     std::size_t numberLimit) noexcept
    : DialogCore(IDD_ENTRY_EDITOR, parent, IDM_ENTRY_EDITOR_BAR,
                 texts.name.empty() && texts.number.empty() ? IDS_NEW_ENTRY_TITLE : IDS_EDIT_ENTRY_TITLE, true),
      m_texts(std::move(texts)), m_nameLimit(nameLimit), m_numberLimit(numberLimit)
{
}

InitResult EntryEditorDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND name = GetDlgItem(Window(), IDC_ENTRY_NAME);
    HWND number = GetDlgItem(Window(), IDC_ENTRY_NUMBER);
    SendMessageW(name, EM_LIMITTEXT, m_nameLimit, 0);
    SendMessageW(number, EM_LIMITTEXT, m_numberLimit, 0);
    RestrictCharacters(number, IsNumberCharacter);
    LinkFieldsVertically(Window(), {IDC_ENTRY_NAME, IDC_ENTRY_NUMBER}, FieldEntry::CaretAtEnd);
    SetWindowTextW(number, m_texts.number.c_str());
    SetEditTextSelected(Window(), IDC_ENTRY_NAME, m_texts.name.c_str());
    m_focusSet = true;
    FieldsChanged();
    return InitResult::Continue;
}

void EntryEditorDialog::FieldsChanged()
{
    const std::size_t name = FieldLength(Window(), IDC_ENTRY_NAME);
    const std::size_t number = FieldLength(Window(), IDC_ENTRY_NUMBER);
    m_nameTooLong = name > m_nameLimit;
    m_numberTooLong = number > m_numberLimit;
    m_nameEmpty = name == 0;
    m_numberEmpty = number == 0;
    EnableMenuBarButton(MenuBar(), ID_DIALOG_DONE, !m_nameEmpty || !m_numberEmpty);
}

void EntryEditorDialog::OnMenuOpening(HMENU menu) const
{
    for (UINT command : {ID_INSERT_P, ID_INSERT_W})
        EnableMenuCommand(menu, command, m_numberFocus);
    for (UINT command : {ID_INSERT_BLANK, ID_INSERT_HYPHEN, ID_INSERT_SLASH, ID_INSERT_UNDERSCORE, ID_INSERT_MOBILE,
                         ID_INSERT_WORK, ID_INSERT_HOME})
        EnableMenuCommand(menu, command, !m_numberFocus);
}

bool EntryEditorDialog::Insert(UINT command)
{
    const wchar_t* text = nullptr;
    bool intoNumber = false;
    switch (command) {
    case ID_INSERT_P: text = L"p"; intoNumber = true; break;
    case ID_INSERT_W: text = L"w"; intoNumber = true; break;
    case ID_INSERT_BLANK: text = L" "; break;
    case ID_INSERT_HYPHEN: text = L"-"; break;
    case ID_INSERT_SLASH: text = L"/"; break;
    case ID_INSERT_UNDERSCORE: text = L"_"; break;
    case ID_INSERT_MOBILE: text = L"/m"; break;
    case ID_INSERT_WORK: text = L"/w"; break;
    case ID_INSERT_HOME: text = L"/h"; break;
    default: return false;
    }
    // The menu offers only the commands of the field in focus; a command
    // sent for the other field is ignored.
    if (intoNumber == m_numberFocus)
        InsertAtCaret(GetDlgItem(Window(), intoNumber ? IDC_ENTRY_NUMBER : IDC_ENTRY_NAME), text);
    return true;
}

void EntryEditorDialog::OnOk()
{
    FieldsChanged();
    const std::wstring name = FieldText(Window(), IDC_ENTRY_NAME, std::numeric_limits<std::size_t>::max());
    const std::wstring number = FieldText(Window(), IDC_ENTRY_NUMBER, std::numeric_limits<std::size_t>::max());
    if (const UINT problem = CheckEntry(name.c_str(), number.c_str(), static_cast<int>(m_nameLimit), static_cast<int>(m_numberLimit))) {
        ShowSimError(Window(), problem);
        return;
    }
    m_texts = {name, number};
    m_confirmed = true;
    EndDialog(Window(), IDOK);
}

bool EntryEditorDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_INITMENUPOPUP) {
        OnMenuOpening(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    }
    if (message == WM_COMMAND) {
        const UINT control = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (code == EN_CHANGE) {
            FieldsChanged();
            result = 0;
            return true;
        }
        if (code == EN_SETFOCUS && (control == IDC_ENTRY_NAME || control == IDC_ENTRY_NUMBER)) {
            m_numberFocus = control == IDC_ENTRY_NUMBER;
            result = 0;
            return true;
        }
        if (code == 0 && Insert(control)) {
            result = 0;
            return true;
        }
    }
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_DONE, ID_EDITOR_CANCEL, [&] { OnOk(); }, [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
