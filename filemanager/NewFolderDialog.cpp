#include "filemanager/NewFolderDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/NewFolderDialogControls.h"
#include "filemanager/NewNames.h"
#include "filemanager/OperationMessages.h"
#include "framework/Paths.h"

NewFolderDialog::NewFolderDialog(HWND parent, String folder, std::function<bool(const String&)> isTaken)
    : OperationDialog(IDD_NEW_FOLDER, parent, IDM_NEW_FOLDER_BAR, IDS_NEW_FOLDER_TITLE), m_folder(std::move(folder)),
      m_isTaken(std::move(isTaken))
{
}

InitResult NewFolderDialog::InitDialog()
{
    if (OperationDialog::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_headings.Apply(Window(),
                     {{IDC_NEW_FOLDER_IN_HEAD, IDS_NEW_FOLDER_IN}, {IDC_NEW_FOLDER_NAME_HEAD, IDS_NEW_FOLDER_NAME}});
    SetDlgItemTextW(Window(), IDC_NEW_FOLDER_PARENT, m_folder + L"\\");
    String base;
    base.LoadResourceText(IDS_NEW_FOLDER_BASE);
    SendDlgItemMessageW(Window(), IDC_NEW_FOLDER_NAME, EM_LIMITTEXT, MaxPathLength, 0);
    SetEditTextSelected(Window(), IDC_NEW_FOLDER_NAME, ProposeFolderName(base, m_isTaken));
    m_focusSet = true;
    return InitResult::Continue;
}

bool NewFolderDialog::OnCommand(UINT command)
{
    switch (command) {
    case ID_DIALOG_OK:
    case IDOK:  // Enter in the field
        OnOk();
        return true;
    case ID_DIALOG_CANCEL:
    case IDCANCEL:
        Close(NewFolderOutcome::Cancelled);
        return true;
    default:
        return false;
    }
}

void NewFolderDialog::OnBack()
{
    Close(NewFolderOutcome::Cancelled);
}

void NewFolderDialog::OnOk()
{
    const String name = ControlText(Window(), IDC_NEW_FOLDER_NAME);
    if (!IsAcceptableNewName(name)) {
        ShowOperationError(Window(), IDS_BAD_NEW_NAME, 0);
        SetEditTextSelected(Window(), IDC_NEW_FOLDER_NAME, name);
        return;
    }
    if (m_isTaken(name)) {
        ShowOperationError(Window(), IDS_FOLDER_NAME_TAKEN, 0);
        SetEditTextSelected(Window(), IDC_NEW_FOLDER_NAME, name);
        return;
    }
    m_name = name;
    if (CreateDirectoryW(ToFileSystemPath(JoinPath(m_folder, name)), nullptr)) {
        Close(NewFolderOutcome::Created);
        return;
    }
    m_error = GetLastError();
    Close(NewFolderOutcome::Failed);
}

void NewFolderDialog::Close(NewFolderOutcome outcome)
{
    m_outcome = outcome;
    EndDialog(Window(), outcome == NewFolderOutcome::Created ? IDOK : IDCANCEL);
}
