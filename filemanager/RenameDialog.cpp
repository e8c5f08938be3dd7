#include "filemanager/RenameDialog.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/RenameDialogControls.h"
#include "filemanager/resource.h"
#include "framework/Paths.h"

RenameDialog::RenameDialog(HWND parent, RenameRequest request)
    : DialogCore(IDD_RENAME, parent, IDM_RENAME_BAR, IDS_RENAME_TITLE, true), m_request(std::move(request)),
      m_editable(MakeEditableName(m_request.name, m_request.isFolder, m_request.preferences))
{
}

InitResult RenameDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    SetDlgItemTextW(Window(), IDC_RENAME_OLD_NAME, m_editable.shown);
    SendDlgItemMessageW(Window(), IDC_RENAME_NEW_NAME, EM_LIMITTEXT, MaxPathLength, 0);
    SetEditTextSelected(Window(), IDC_RENAME_NEW_NAME, m_editable.shown);
    m_focusSet = true;
    return InitResult::Continue;
}

bool RenameDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (OnOkOrCancel(
            message, wParam, ID_DIALOG_OK, ID_DIALOG_CANCEL, [&] { OnOk(); },
            [&] { Close(RenameOutcome::Cancelled); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}

void RenameDialog::OnOk()
{
    const String oldPath = JoinPath(m_request.folder, m_request.name);
    if (!EntryExists(oldPath)) {
        ShowOperationError(Window(), IDS_FOLDER_GONE, 0, oldPath);
        Close(RenameOutcome::Gone);
        return;
    }
    const String typed = ControlText(Window(), IDC_RENAME_NEW_NAME);
    const String newName = typed + m_editable.hiddenExtension;
    switch (JudgeRename(m_request.name, newName, m_request.isTaken)) {
    case RenameVerdict::BadName:
        ShowOperationError(Window(), IDS_BAD_NEW_NAME, 0);
        SetEditTextSelected(Window(), IDC_RENAME_NEW_NAME, typed);
        return;
    case RenameVerdict::Unchanged:
        Close(RenameOutcome::Unchanged);
        return;
    case RenameVerdict::Taken:
        ShowOperationError(Window(), m_request.takenMessage, 0);
        SetEditTextSelected(Window(), IDC_RENAME_NEW_NAME, typed);
        return;
    case RenameVerdict::Move:
        break;
    }
    m_newName = newName;
    Close(MoveToNewName(m_request.folder, m_request.name, newName) ? RenameOutcome::Renamed
                                                                   : RenameOutcome::MoveFailed);
}

void RenameDialog::Close(RenameOutcome outcome)
{
    m_outcome = outcome;
    EndDialog(Window(), outcome == RenameOutcome::Renamed ? IDOK : IDCANCEL);
}
