#include "filemanager/ChooseSelectionDialog.h"

#include "filemanager/ChooseSelectionDialogControls.h"
#include "filemanager/DialogParts.h"
#include "filemanager/NameDialogsResources.h"
#include "platform/WaitCursor.h"

#include <commctrl.h>

namespace {

constexpr int IconNotFetched = -2;

}  // namespace

ChooseSelectionDialog::ChooseSelectionDialog(HWND parent, FolderList& list)
    : DialogCore(IDD_CHOOSE_SELECTION, parent, IDM_CHOOSE_SELECTION_BAR, IDS_CHOOSE_TITLE, true), m_list(list),
      m_choice(list)
{
}

HWND ChooseSelectionDialog::ListControl() const
{
    return GetDlgItem(Window(), IDC_CHOICE_LIST);
}

InitResult ChooseSelectionDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    RECT client{};
    GetClientRect(Window(), &client);
    m_images = SetUpDialogList(Window(), IDC_CHOICE_LIST, client.bottom, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT, L"",
                               IDC_CHOICE_LIST);
    m_focusSet = m_images != nullptr;
    if (m_focusSet)
        FillList();
    return InitResult::Continue;
}

void ChooseSelectionDialog::FillList()
{
    WaitCursor wait;
    HWND list = ListControl();
    m_icons.assign(static_cast<size_t>(m_choice.RowCount()), IconNotFetched);
    ListView_SetItemCount(list, m_choice.RowCount());
    for (int row = 0; row < m_choice.RowCount(); ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(m_choice.Name(row).Chars());
        // Icons are fetched when a row is first shown: the shell is slow.
        item.iImage = I_IMAGECALLBACK;
        ListView_InsertItem(list, &item);
    }
    ShowChecks();
    if (m_choice.RowCount() > 0)
        ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void ChooseSelectionDialog::ReadChecks()
{
    HWND list = ListControl();
    for (int row = 0; row < m_choice.RowCount(); ++row)
        m_choice.SetChecked(row, ListView_GetCheckState(list, row) != FALSE);
}

void ChooseSelectionDialog::ShowChecks()
{
    HWND list = ListControl();
    for (int row = 0; row < m_choice.RowCount(); ++row)
        ListView_SetCheckState(list, row, m_choice.IsChecked(row));
}

void ChooseSelectionDialog::RunCheckCommand(CheckCommand command)
{
    ReadChecks();
    m_choice.Apply(command);
    ShowChecks();
}

void ChooseSelectionDialog::ToggleFocusedRow()
{
    HWND list = ListControl();
    const int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (row >= 0)
        ListView_SetCheckState(list, row, !ListView_GetCheckState(list, row));
}

void ChooseSelectionDialog::OnGetDisplayInfo(NMLVDISPINFOW& info)
{
    const int row = info.item.iItem;
    if (!(info.item.mask & LVIF_IMAGE) || row < 0 || row >= m_choice.RowCount())
        return;
    int& icon = m_icons[static_cast<size_t>(row)];
    if (icon == IconNotFetched)
        icon = AddSmallShellIcon(m_images, m_choice.IconPath(row));
    info.item.iImage = icon;
}

bool ChooseSelectionDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->idFrom == IDC_CHOICE_LIST && header->code == LVN_GETDISPINFOW) {
            OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            return true;
        }
    }
    const auto ok = [&] {
        ReadChecks();
        m_changed = m_choice.ApplyTo(m_list);
        EndDialog(window, IDOK);
    };
    if (OnOkOrCancel(message, wParam, ID_CHOICE_OK, ID_CHOICE_CANCEL, ok, [&] { EndDialog(window, IDCANCEL); }))
        return true;
    static constexpr struct {
        UINT command;
        CheckCommand check;
    } CheckCommands[] = {{ID_CHECK_ALL, CheckCommand::All},
                         {ID_CHECK_NONE, CheckCommand::None},
                         {ID_CHECK_INVERT, CheckCommand::Invert},
                         {ID_CHECK_FOLDERS, CheckCommand::Folders},
                         {ID_CHECK_FILES, CheckCommand::Files}};
    if (message == WM_COMMAND) {
        if (LOWORD(wParam) == IDC_CHOICE_LIST) {  // Enter on the list
            ToggleFocusedRow();
            return true;
        }
        for (const auto& entry : CheckCommands) {
            if (LOWORD(wParam) == entry.command) {
                RunCheckCommand(entry.check);
                return true;
            }
        }
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
