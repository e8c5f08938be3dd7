#include "filemanager/FileDeletion.h"

#include "filemanager/DeleteTree.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/ItemIcons.h"
#include "filemanager/OperationMessages.h"
#include "platform/WaitCursor.h"

bool DeletePath(const String& handsetPath, HWND owner)
{
    std::optional<DeleteFailure> failure;
    {
        WaitCursor wait;
        failure = DeleteEntry(handsetPath);
    }
    if (failure && owner)
        ShowOperationError(owner, failure->isFolder ? IDS_FOLDER_DELETE_FAILED : IDS_DELETE_FAILED, 0, failure->path);
    return !failure;
}

DeleteQuestionDialog::DeleteQuestionDialog(HWND owner, std::vector<String> paths,
                                           std::function<bool(const String&)> deleteOne)
    : OperationDialog(IDD_DELETE_QUESTION, owner, IDM_DELETE_QUESTION_BAR, IDS_DELETE_CAPTION),
      m_paths(std::move(paths)), m_deleteOne(std::move(deleteOne))
{
}

INT_PTR DeleteQuestionDialog::Ask()
{
    if (m_paths.empty())
        return IDOK;
    return RunModal(*this);
}

InitResult DeleteQuestionDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    ShowCurrent();
    m_focusSet = true;
    return InitResult::Continue;
}

void DeleteQuestionDialog::ShowCurrent()
{
    HWND window = Window();
    const String& path = m_paths[m_current];
    SetDlgItemTextW(window, IDC_DELETE_NAME, LastComponent(path));
    m_icon = LargeShellIcon(path);
    SendDlgItemMessageW(window, IDC_DELETE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(m_icon.Get()), 0);
    // Radio buttons 1042, 1043 and 1074 are not in a row: each is set.
    CheckDlgButton(window, IDC_DELETE_ALL, BST_UNCHECKED);
    CheckDlgButton(window, IDC_DELETE_SKIP, BST_UNCHECKED);
    CheckDlgButton(window, IDC_DELETE_THIS, BST_CHECKED);
    EnableWindow(GetDlgItem(window, IDC_DELETE_ALL), m_current + 1 < m_paths.size());
    SetFocus(GetDlgItem(window, IDC_DELETE_THIS));
}

bool DeleteQuestionDialog::DeleteAt(size_t index)
{
    const String& path = m_paths[index];
    if (!EntryExists(path)) {
        ShowOperationError(Window(), IDS_DELETE_FAILED, 0, path);
        return false;
    }
    return m_deleteOne(path);
}

void DeleteQuestionDialog::OnOk()
{
    HWND window = Window();
    if (IsDlgButtonChecked(window, IDC_DELETE_ALL) == BST_CHECKED) {
        for (; m_current < m_paths.size(); ++m_current)
            if (!DeleteAt(m_current)) {
                EndDialog(window, IDCANCEL);
                return;
            }
        EndDialog(window, IDOK);
        return;
    }
    if (IsDlgButtonChecked(window, IDC_DELETE_SKIP) != BST_CHECKED && !DeleteAt(m_current)) {
        EndDialog(window, IDCANCEL);
        return;
    }
    if (++m_current >= m_paths.size()) {
        EndDialog(window, IDOK);
        return;
    }
    ShowCurrent();
}

bool DeleteQuestionDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_DELETE_OK:
    case IDOK:
        OnOk();
        return true;
    case ID_DELETE_CANCEL:
    case IDCANCEL:
        OnBack();
        return true;
    default:
        return false;
    }
}

void DeleteQuestionDialog::OnBack()
{
    EndDialog(Window(), IDCANCEL);
}
