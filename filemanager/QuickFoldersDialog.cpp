#include "filemanager/QuickFoldersDialog.h"

#include "filemanager/DialogParts.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/QuickFoldersDialogControls.h"
#include "filemanager/WaitCursor.h"

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
    HWND list = ListControl();
    if (!list)
        return InitResult::Continue;
    // The list fills the dialog above the parent path's line.
    RECT client{};
    GetClientRect(Window(), &client);
    HWND parentLine = GetDlgItem(Window(), IDC_QUICK_PARENT);
    RECT line{};
    if (parentLine) {
        GetWindowRect(parentLine, &line);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&line), 2);
        const int height = line.bottom - line.top;
        MoveWindow(parentLine, 2, client.bottom - height, client.right - 4, height, FALSE);
        client.bottom -= height;
    }
    MoveWindow(list, 0, 0, client.right, client.bottom, FALSE);
    FillList();
    TakeAllKeys(list, ID_QUICK_FOLDERS_OK);
    SetFocus(list);
    m_focusSet = true;
    return InitResult::Continue;
}

void QuickFoldersDialog::FillList()
{
    WaitCursor wait;
    HWND list = ListControl();
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    // Owned by the control, which destroys it with itself.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, static_cast<int>(m_folders.size()), 1);
    ListView_SetImageList(list, images, LVSIL_SMALL);
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = client.right;
    column.pszText = const_cast<wchar_t*>(L"Column 1");
    ListView_InsertColumn(list, 0, &column);
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
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case ID_QUICK_FOLDERS_OK:
        case IDOK: {
            const int row = SelectedRow();
            if (row >= 0 && row < static_cast<int>(m_folders.size()))
                m_chosen = m_folders[static_cast<size_t>(row)].path;
            EndDialog(window, m_chosen ? IDOK : IDCANCEL);
            result = 0;
            return true;
        }
        case ID_QUICK_FOLDERS_CANCEL:
        case IDCANCEL:
            EndDialog(window, IDCANCEL);
            result = 0;
            return true;
        default:
            break;
        }
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
