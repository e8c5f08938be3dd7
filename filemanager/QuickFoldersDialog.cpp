#include "filemanager/QuickFoldersDialog.h"

#include "filemanager/DialogParts.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/QuickFoldersDialogControls.h"
#include "platform/WaitCursor.h"

QuickFoldersDialog::QuickFoldersDialog(HWND parent, std::vector<QuickFolder> folders)
    : DialogCore(IDD_QUICK_FOLDERS, parent, IDM_QUICK_FOLDERS_BAR, IDS_QUICK_FOLDERS_TITLE, true),
      m_folders(std::move(folders))
{
}

HWND QuickFoldersDialog::ListControl() const
{
    return GetDlgItem(Window(), IDC_QUICK_LIST);
}

InitResult QuickFoldersDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    // The list fills the dialog above the parent path's line.
    RECT client{};
    GetClientRect(Window(), &client);
    if (HWND parentLine = GetDlgItem(Window(), IDC_QUICK_PARENT)) {
        RECT line{};
        GetWindowRect(parentLine, &line);
        const int height = line.bottom - line.top;
        client.bottom -= height;
        MoveWindow(parentLine, 2, client.bottom, client.right - 4, height, FALSE);
    }
    HIMAGELIST images = SetUpDialogList(Window(), IDC_QUICK_LIST, client.bottom, LVS_EX_FULLROWSELECT, L"Column 1",
                                        ID_QUICK_FOLDERS_OK);
    m_focusSet = images != nullptr;
    if (m_focusSet)
        FillList(images);
    return InitResult::Continue;
}

void QuickFoldersDialog::FillList(HIMAGELIST images)
{
    WaitCursor wait;
    HWND list = ListControl();
    for (size_t row = 0; row < m_folders.size(); ++row) {
        const String text = QuickFolderRowText(m_folders[row]);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<wchar_t*>(text.Chars());
        item.iImage = AddSmallShellIcon(images, m_folders[row].path);
        ListView_InsertItem(list, &item);
    }
    if (!m_folders.empty())
        ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ShowParent(m_folders.empty() ? -1 : 0);
}

int QuickFoldersDialog::SelectedRow() const
{
    return ListView_GetNextItem(ListControl(), -1, LVNI_SELECTED);
}

void QuickFoldersDialog::ShowParent(int row)
{
    const bool valid = row >= 0 && row < static_cast<int>(m_folders.size());
    SetDlgItemTextW(Window(), IDC_QUICK_PARENT,
                    valid ? QuickFolderParentText(m_folders[static_cast<size_t>(row)]).Chars() : L"");
}

bool QuickFoldersDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message == WM_NOTIFY) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (change && change->hdr.idFrom == IDC_QUICK_LIST && change->hdr.code == LVN_ITEMCHANGED &&
            (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) {
            ShowParent(change->iItem);
            result = 0;
            return true;
        }
    }
    const auto choose = [&] {
        const int row = SelectedRow();
        if (row >= 0 && row < static_cast<int>(m_folders.size()))
            m_chosen = m_folders[static_cast<size_t>(row)].path;
        EndDialog(window, m_chosen ? IDOK : IDCANCEL);
    };
    if (OnOkOrCancel(message, wParam, ID_QUICK_FOLDERS_OK, ID_QUICK_FOLDERS_CANCEL, choose,
                     [&] { EndDialog(window, IDCANCEL); })) {
        result = 0;
        return true;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
