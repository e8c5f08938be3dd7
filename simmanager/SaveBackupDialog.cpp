#include "simmanager/SaveBackupDialog.h"

#include "simmanager/BackupFile.h"
#include "simmanager/BackupFolders.h"
#include "simmanager/BackupResources.h"
#include "simmanager/SimMessageBoxes.h"

#include "framework/DialogControls.h"
#include "framework/MenuBars.h"
#include "framework/Paths.h"

SaveBackupDialog::SaveBackupDialog(HWND parent, SimAccess& sim) noexcept
    : DialogCore(IDD_SAVE_BACKUP, parent, IDM_SAVE_BACKUP_BAR, IDS_SAVE_BACKUP_TITLE, true), m_sim(sim)
{
}

InitResult SaveBackupDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    m_folders = ListBackupFolders();
    HWND list = GetDlgItem(Window(), IDC_BACKUP_FOLDERS);
    for (const std::wstring& folder : m_folders)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(BackupFolderLabel(folder).c_str()));
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(Window(), IDC_BACKUP_NAME, EM_LIMITTEXT, MaxPathLength, 0);
    LinkFieldsVertically(Window(), {IDC_BACKUP_FOLDERS, IDC_BACKUP_NAME}, FieldEntry::CaretAtEnd);
    SetFocus(GetDlgItem(Window(), IDC_BACKUP_NAME));
    m_focusSet = true;
    UpdateSaveButton();
    return InitResult::Continue;
}

bool SaveBackupDialog::CanSave() const noexcept
{
    const LRESULT selected = SendDlgItemMessageW(Window(), IDC_BACKUP_FOLDERS, LB_GETCURSEL, 0, 0);
    return selected != LB_ERR && static_cast<std::size_t>(selected) < m_folders.size() &&
           GetWindowTextLengthW(GetDlgItem(Window(), IDC_BACKUP_NAME)) > 0;
}

void SaveBackupDialog::UpdateSaveButton()
{
    EnableMenuBarButton(MenuBar(), ID_SAVE_BACKUP, CanSave());
}

void SaveBackupDialog::OnSave()
{
    if (!CanSave())
        return;
    const auto selected =
        static_cast<std::size_t>(SendDlgItemMessageW(Window(), IDC_BACKUP_FOLDERS, LB_GETCURSEL, 0, 0));
    const String name = ControlText(Window(), IDC_BACKUP_NAME);
    SimMessageBoxes messages;
    messages.SetOwner(Window());
    BackupFile file(m_sim, messages);
    if (!file.Save(m_folders[selected].c_str(), name.Chars()))
        return;
    m_saved = true;
    EndDialog(Window(), IDOK);
}

bool SaveBackupDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const UINT control = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (message == WM_COMMAND && ((control == IDC_BACKUP_NAME && code == EN_CHANGE) ||
                                  (control == IDC_BACKUP_FOLDERS && code == LBN_SELCHANGE))) {
        UpdateSaveButton();
        result = 0;
        return true;
    }
    if (OnOkOrCancel(
            message, wParam, ID_SAVE_BACKUP, ID_CANCEL_BACKUP, [&] { OnSave(); },
            [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
