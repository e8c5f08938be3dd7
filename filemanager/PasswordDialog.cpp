#include "filemanager/PasswordDialog.h"

#include "filemanager/ArchiveQuestionBar.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/ItemIcons.h"
#include "filemanager/OperationMessages.h"
#include "framework/DialogControls.h"

PasswordDialog::PasswordDialog(HWND owner, Archive& archive, int member)
    : OperationDialog(IDD_PASSWORD, owner, IDM_ARCHIVE_QUESTION_BAR, IDS_ARCHIVE_PASSWORD_CAPTION), m_archive(archive),
      m_member(member)
{
}

bool PasswordDialog::Ask()
{
    m_accepted = false;
    RunModal(*this);
    return m_accepted;
}

InitResult PasswordDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    LabelArchiveQuestionBar(MenuBar());
    const ArchiveMember& member = m_archive.members[static_cast<size_t>(m_member)];
    const std::wstring leaf = LeafName(member);
    SetDlgItemTextW(window, IDC_PASSWORD_NAME, leaf.c_str());
    m_icon = LargeTypeIcon(leaf.c_str());
    if (m_icon)
        SendDlgItemMessageW(window, IDC_PASSWORD_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
    SetFocus(GetDlgItem(window, IDC_PASSWORD_EDIT));
    m_focusSet = true;
    return InitResult::Continue;
}

void PasswordDialog::OnOk()
{
    HWND window = Window();
    const String typed = ControlText(window, IDC_PASSWORD_EDIT);
    if (typed.IsEmpty()) {
        ShowOperationError(window, IDS_PASSWORD_EMPTY, 0);
        SetFocus(GetDlgItem(window, IDC_PASSWORD_EDIT));
        return;
    }
    const std::wstring password(typed.Chars(), static_cast<size_t>(typed.Length()));
    if (!PasswordFits(m_archive, static_cast<size_t>(m_member), password)) {
        ShowOperationError(window, IDS_PASSWORD_WRONG, 0);
        SetEditTextSelected(window, IDC_PASSWORD_EDIT, L"");
        return;
    }
    m_archive.password = password;
    m_accepted = true;
    EndDialog(window, IDOK);
}

bool PasswordDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_ARCHIVE_ANSWER_OK:
    case IDOK:
        OnOk();
        return true;
    case ID_ARCHIVE_ANSWER_CANCEL:
    case IDCANCEL:
        OnBack();
        return true;
    default:
        return false;
    }
}

void PasswordDialog::OnBack()
{
    EndDialog(Window(), IDCANCEL);
}
