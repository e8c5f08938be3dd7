// ArchiveBrowserDialog: the window, the member list and check mode.
#include "filemanager/ArchiveBrowserDialog.h"

#include "filemanager/ArchiveResources.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/DialogParts.h"
#include "filemanager/FileFormats.h"
#include "filemanager/FindResultsControls.h"
#include "filemanager/FolderSort.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "framework/MenuBars.h"

#include "platform/SoftKeyBar.h"

namespace {

// The name column takes seven tenths of the list's width, the size the rest.
constexpr int NameShare = 7;
constexpr int ShareParts = 10;
constexpr int IconNotFetched = -2;
constexpr UINT_PTR PageKeysId = 0x504B;  // "PK"
// Enter opens the focused row, where the menu's Open needs exactly one
// selected row, so it has a command of its own (outside the resources' range).
constexpr UINT EnterCommand = 0x7F01;

// Left and Right scroll the list by a page, as the keypad has no page keys.
LRESULT CALLBACK PageKeysProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) noexcept
{
    if (message == WM_KEYDOWN && (wParam == VK_LEFT || wParam == VK_RIGHT))
        return DefSubclassProc(list, message, wParam == VK_LEFT ? VK_PRIOR : VK_NEXT, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(list, &PageKeysProcedure, PageKeysId);
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

ArchiveBrowserDialog::ArchiveBrowserDialog(HWND owner, std::unique_ptr<Archive> archive, const String& archiveFolder)
    : DialogCore(IDD_ARCHIVE_BROWSER, owner, IDM_ARCHIVE_BROWSER_BAR, 0, true), m_archive(std::move(archive)),
      m_archiveFolder(archiveFolder)
{
    m_listing = std::make_unique<ArchiveListing>(m_archive->members, &HandsetMemberTime);
}

ArchiveBrowserDialog::~ArchiveBrowserDialog() = default;

HWND ArchiveBrowserDialog::List() const noexcept
{
    return GetDlgItem(Window(), IDC_ARCHIVE_LIST);
}

InitResult ArchiveBrowserDialog::InitDialog()
{
    if (DialogCore::InitDialog() == InitResult::Stop)
        return InitResult::Stop;
    HWND window = Window();
    m_checkBar = CreateMenuBar(window, IDM_ARCHIVE_CHECK_BAR, BackKey::ToProgram, true);
    if (!m_checkBar) {
        EndDialog(window, EndMenuBarFailed);
        return InitResult::Stop;
    }
    SetWindowTextW(window, LastComponent(m_archive->path.c_str()));

    HWND list = List();
    // The template is the find results', which choose one row at a time.
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_SINGLESEL));
    RECT client{};
    GetClientRect(window, &client);
    m_images = SetUpDialogList(window, IDC_ARCHIVE_LIST, client.bottom, LVS_EX_FULLROWSELECT, L"", EnterCommand);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_SUBITEM;
    column.fmt = LVCFMT_RIGHT;
    column.iSubItem = 1;
    ListView_InsertColumn(list, 1, &column);
    ListView_SetCallbackMask(list, LVIS_STATEIMAGEMASK);
    SetWindowSubclass(list, &PageKeysProcedure, PageKeysId, 0);
    ShowWindow(GetDlgItem(window, IDC_ARCHIVE_FOLDER), SW_SHOW);
    LayOut();
    m_focusSet = true;
    ShowFolder(m_listing->TopFolder());
    return InitResult::Continue;
}

void ArchiveBrowserDialog::LayOut()
{
    HWND window = Window();
    RECT client{};
    GetClientRect(window, &client);
    HWND folder = GetDlgItem(window, IDC_ARCHIVE_FOLDER);
    HWND count = GetDlgItem(window, IDC_ARCHIVE_COUNT);
    RECT line{};
    GetWindowRect(folder, &line);
    const int lineHeight = line.bottom - line.top;
    // The folder above the list, the number of rows below it.
    MoveWindow(folder, 3, 1, client.right - 6, lineHeight, TRUE);
    MoveWindow(count, 3, client.bottom - lineHeight - 1, client.right - 6, lineHeight, TRUE);
    const int top = lineHeight + 2;
    HWND list = List();
    MoveWindow(list, 0, top, client.right, client.bottom - lineHeight - 2 - top, TRUE);
    RECT listClient{};
    GetClientRect(list, &listClient);
    // The scroll bar's room stays free, so that the sizes stay in view.
    const int width = listClient.right - GetSystemMetrics(SM_CXVSCROLL);
    const int nameWidth = width * NameShare / ShareParts;
    ListView_SetColumnWidth(list, 0, nameWidth);
    ListView_SetColumnWidth(list, 1, width - nameWidth);
}

void ArchiveBrowserDialog::ShowFolder(const String& folder, const String& select)
{
    m_listing->ShowFolder(folder);
    HWND list = List();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(list, m_listing->RowCount(), 0);
    int chosen = 0;
    for (int row = 0; row < m_listing->RowCount() && !select.IsEmpty(); ++row)
        if (m_listing->Row(row).leaf.CompareNoCase(select) == 0) {
            chosen = row;
            break;
        }
    if (m_listing->RowCount() > 0)
        SelectOnly(chosen);
    InvalidateRect(list, nullptr, TRUE);
    ShowCounts();
}

void ArchiveBrowserDialog::ShowCounts()
{
    SetDlgItemTextW(Window(), IDC_ARCHIVE_FOLDER, L"\\" + m_listing->CurrentFolder());
    String text;
    text.FormatResource(IDS_ARCHIVE_ROW_COUNT, FormatCount(m_listing->RowCount()));
    SetDlgItemTextW(Window(), IDC_ARCHIVE_COUNT, text);
}

void ArchiveBrowserDialog::SelectOnly(int row)
{
    HWND list = List();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, row, state, state);
    ListView_EnsureVisible(list, row, FALSE);
}

std::vector<int> ArchiveBrowserDialog::SelectedRows() const
{
    std::vector<int> rows;
    HWND list = List();
    for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row >= 0;
         row = ListView_GetNextItem(list, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

bool ArchiveBrowserDialog::IsChecked(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < m_checks.size() && m_checks[static_cast<size_t>(row)];
}

BrowserContext ArchiveBrowserDialog::Context() const
{
    BrowserContext context;
    context.rowCount = m_listing->RowCount();
    const std::vector<int> selected = SelectedRows();
    context.selectedCount = static_cast<int>(selected.size());
    for (int row : selected)
        context.selectedFolder = context.selectedFolder || m_listing->Row(row).isFolder;
    context.atTop = m_listing->AtTop();
    context.hasMembers = !m_archive->members.empty();
    context.sortState = m_listing->SortState();
    return context;
}

void ArchiveBrowserDialog::SetSort(DWORD state)
{
    const std::vector<int> selected = SelectedRows();
    const int focused = ListView_GetNextItem(List(), -1, LVNI_FOCUSED);
    const String focusedName = focused >= 0 ? m_listing->Row(focused).leaf : String();
    m_listing->SetSortState(state);
    // The same rows stay selected where they now are: the focused one.
    ShowFolder(m_listing->CurrentFolder(), focusedName);
}

int ArchiveBrowserDialog::IconOf(const ArchiveRow& row)
{
    if (row.isFolder) {
        if (m_folderIcon == IconNotFetched)
            m_folderIcon = AddSmallShellIcon(m_images, L"\\");
        return m_folderIcon;
    }
    const int dot = row.leaf.ReverseFind(L'.');
    String extension = dot < 0 ? String() : row.leaf.Mid(dot);
    extension.MakeLower();
    const auto known = m_typeIcons.find(extension);
    if (known != m_typeIcons.end())
        return known->second;
    const int icon = AddSmallTypeIcon(m_images, row.leaf);
    m_typeIcons.emplace(extension, icon);
    return icon;
}

void ArchiveBrowserDialog::OnGetDisplayInfo(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (item.iItem < 0 || item.iItem >= m_listing->RowCount())
        return;
    const ArchiveRow& row = m_listing->Row(item.iItem);
    if (item.mask & LVIF_TEXT && item.pszText && item.cchTextMax > 0) {
        String text;
        if (item.iSubItem == 0)
            text = row.encrypted ? L"+" + row.leaf : row.leaf;
        else if (!row.isFolder)
            text = FormatSize(0, row.size, true, 4, 1024);
        lstrcpynW(item.pszText, text, item.cchTextMax);
    }
    if (item.mask & LVIF_IMAGE && item.iSubItem == 0)
        item.iImage = IconOf(row);
    if (item.mask & LVIF_STATE) {
        item.state &= ~LVIS_STATEIMAGEMASK;
        if (m_checkMode)
            item.state |= INDEXTOSTATEIMAGEMASK(IsChecked(item.iItem) ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

// ---- check mode -----------------------------------------------------------------------

void ArchiveBrowserDialog::EnterCheckMode()
{
    if (m_checkMode)
        return;
    HWND list = List();
    m_selectionBefore = SelectedRows();
    m_checks.assign(static_cast<size_t>(m_listing->RowCount()), false);
    for (int row : m_selectionBefore)
        m_checks[static_cast<size_t>(row)] = true;
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (focused >= 0)
        ListView_SetItemState(list, focused, LVIS_SELECTED, LVIS_SELECTED);
    m_checkMode = true;
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    ShowWindow(m_checkBar, SW_SHOW);
    ShowWindow(MenuBar(), SW_HIDE);
    InvalidateRect(list, nullptr, TRUE);
}

void ArchiveBrowserDialog::RunCheckCommand(CheckCommand command)
{
    m_listing->ApplyCheckCommand(command, m_checks);
    InvalidateRect(List(), nullptr, TRUE);
}

void ArchiveBrowserDialog::CheckAll()
{
    RunCheckCommand(CheckCommand::All);
}

void ArchiveBrowserDialog::CheckNone()
{
    RunCheckCommand(CheckCommand::None);
}

void ArchiveBrowserDialog::InvertChecks()
{
    RunCheckCommand(CheckCommand::Invert);
}

void ArchiveBrowserDialog::CheckFolders()
{
    RunCheckCommand(CheckCommand::Folders);
}

void ArchiveBrowserDialog::CheckFiles()
{
    RunCheckCommand(CheckCommand::Files);
}

void ArchiveBrowserDialog::ToggleFocusedCheck()
{
    const int focused = ListView_GetNextItem(List(), -1, LVNI_FOCUSED);
    if (focused < 0 || static_cast<size_t>(focused) >= m_checks.size())
        return;
    m_checks[static_cast<size_t>(focused)] = !m_checks[static_cast<size_t>(focused)];
    ListView_RedrawItems(List(), focused, focused);
}

void ArchiveBrowserDialog::LeaveCheckModeChecked()
{
    std::vector<int> checked;
    for (size_t row = 0; row < m_checks.size(); ++row)
        if (m_checks[row])
            checked.push_back(static_cast<int>(row));
    LeaveCheckMode(checked);
}

void ArchiveBrowserDialog::LeaveCheckModeRestored()
{
    LeaveCheckMode(m_selectionBefore);
}

void ArchiveBrowserDialog::LeaveCheckMode(const std::vector<int>& selection)
{
    if (!m_checkMode)
        return;
    HWND list = List();
    m_checkMode = false;
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, 0);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row : selection)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    m_checks.clear();
    ShowWindow(MenuBar(), SW_SHOW);
    ShowWindow(m_checkBar, SW_HIDE);
    InvalidateRect(list, nullptr, TRUE);
}

// ---- messages -------------------------------------------------------------------------

void ArchiveBrowserDialog::UseArchive(std::unique_ptr<Archive> archive)
{
    const DWORD sortState = m_listing->SortState();
    m_listing.reset();
    m_archive = std::move(archive);
    m_listing = std::make_unique<ArchiveListing>(m_archive->members, &HandsetMemberTime);
    m_listing->SetSortState(sortState);
    SetWindowTextW(Window(), LastComponent(m_archive->path.c_str()));
    ShowFolder(m_listing->TopFolder());
}

bool ArchiveBrowserDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == EnterCommand) {
            if (m_checkMode)
                ToggleFocusedCheck();
            else
                OpenFocused();
            result = 0;
            return true;
        }
        if (RunCommand(LOWORD(wParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_HOTKEY:
        if (HIWORD(lParam) == VK_ESCAPE) {
            if (LOWORD(lParam) & MOD_KEYUP) {
                if (m_checkMode)
                    LeaveCheckModeRestored();
                else
                    UpOneFolder();
            }
            result = 1;
            return true;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->idFrom == IDC_ARCHIVE_LIST && header->code == LVN_GETDISPINFOW) {
            OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
            result = 0;
            return true;
        }
        break;
    }
    case WM_INITMENUPOPUP:
        UpdateBrowserMenu(reinterpret_cast<HMENU>(wParam), Context());
        result = 0;
        return true;
    default:
        break;
    }
    return DialogCore::HandleMessage(window, message, wParam, lParam, result);
}
