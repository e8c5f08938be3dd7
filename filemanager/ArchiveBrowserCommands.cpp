// ArchiveBrowserDialog: the command table with its rules, and the commands
// that extract, test, open and move through the archive.
#include "filemanager/ArchiveBrowserDialog.h"

#include "filemanager/ArchiveBrowser.h"

#include "filemanager/ArchiveProgressDialog.h"
#include "filemanager/ArchiveResources.h"
#include "filemanager/Commands.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/ExtractDialog.h"
#include "filemanager/FileOpening.h"
#include "filemanager/FolderSort.h"
#include "filemanager/NameDialogsResources.h"
#include "filemanager/OperationMessages.h"
#include "filemanager/TemporaryFolders.h"
#include "filemanager/archive/Win32ArchiveFiles.h"
#include "framework/CommandTable.h"

namespace {

// The shell's window, told when a nested archive replaces the one shown.
constexpr wchar_t ShellWindowClass[] = L"tray";
constexpr UINT ShellArchiveMessage = WM_USER;
constexpr WPARAM ShellArchiveReplaced = 4;

EnableState OneSelected(const BrowserContext& c)
{
    return c.selectedCount == 1;
}

EnableState BelowTop(const BrowserContext& c)
{
    return !c.atTop;
}

EnableState SeveralRows(const BrowserContext& c)
{
    return c.rowCount > 1;
}

EnableState SomeRows(const BrowserContext& c)
{
    return c.rowCount > 0;
}

EnableState OneFileSelected(const BrowserContext& c)
{
    return c.selectedCount == 1 && !c.selectedFolder;
}

EnableState FilesSelected(const BrowserContext& c)
{
    return c.selectedCount > 0 && !c.selectedFolder;
}

EnableState HasMembers(const BrowserContext& c)
{
    return c.hasMembers;
}

using Row = CommandRow<ArchiveBrowserDialog, BrowserContext>;

constexpr Row BrowserCommands[] = {
    {ID_OPEN, &ArchiveBrowserDialog::OpenSelected, OneSelected},
    {ID_PROPERTIES, &ArchiveBrowserDialog::ShowSelectedProperties, OneSelected},
    {ID_UP_ONE_LEVEL, &ArchiveBrowserDialog::UpOneFolder, BelowTop},
    {ID_SORT_BY_NAME, &ArchiveBrowserDialog::SortByName, SeveralRows},
    {ID_SORT_BY_SIZE, &ArchiveBrowserDialog::SortBySize, SeveralRows},
    {ID_SORT_BY_DATE, &ArchiveBrowserDialog::SortByDate, SeveralRows},
    {ID_SORT_ASCENDING, &ArchiveBrowserDialog::SortAscending, SeveralRows},
    {ID_SORT_DESCENDING, &ArchiveBrowserDialog::SortDescending, SeveralRows},
    {ID_SELECT_ALL, &ArchiveBrowserDialog::SelectAllRows, SomeRows},
    {ID_INVERT_SELECTION, &ArchiveBrowserDialog::InvertSelectedRows, SomeRows},
    {ID_CLEAR_SELECTION, &ArchiveBrowserDialog::KeepFocusedRow, SomeRows},
    {ID_ARCHIVE_EXTRACT, &ArchiveBrowserDialog::ExtractChosen, HasMembers},
    {ID_ARCHIVE_TEST, &ArchiveBrowserDialog::TestArchive, HasMembers},
    {ID_SEND_MAIL, &ArchiveBrowserDialog::SendSelectedByMail, OneFileSelected},
    {ID_BEAM, &ArchiveBrowserDialog::BeamSelected, FilesSelected},
    {ID_CHOOSE_SELECTION, &ArchiveBrowserDialog::EnterCheckMode, HasMembers},
    {ID_ARCHIVE_CLOSE, &ArchiveBrowserDialog::CloseBrowser, nullptr},
    // Check mode's bar.
    {ID_CHECK_ALL, &ArchiveBrowserDialog::CheckAll, nullptr},
    {ID_CHECK_NONE, &ArchiveBrowserDialog::CheckNone, nullptr},
    {ID_CHECK_INVERT, &ArchiveBrowserDialog::InvertChecks, nullptr},
    {ID_CHECK_FOLDERS, &ArchiveBrowserDialog::CheckFolders, nullptr},
    {ID_CHECK_FILES, &ArchiveBrowserDialog::CheckFiles, nullptr},
    {ID_ARCHIVE_CHECK_DONE, &ArchiveBrowserDialog::LeaveCheckModeChecked, nullptr},
    {ID_ARCHIVE_CHECK_CANCEL, &ArchiveBrowserDialog::LeaveCheckModeRestored, nullptr},
};

void RadioMark(HMENU menu, UINT first, UINT last, UINT chosen)
{
    if (GetMenuState(menu, first, MF_BYCOMMAND) != static_cast<UINT>(-1))
        CheckMenuRadioItem(menu, first, last, chosen, MF_BYCOMMAND);
}

}  // namespace

std::optional<bool> BrowserCommandEnabled(UINT command, const BrowserContext& context)
{
    return CommandState(BrowserCommands, command, context);
}

void UpdateBrowserMenu(HMENU menu, const BrowserContext& context)
{
    if (!menu)
        return;
    const SortKey key = SortKeyOf(context.sortState);
    RadioMark(menu, ID_SORT_BY_NAME, ID_SORT_BY_DATE,
              key == SortKey::Size   ? ID_SORT_BY_SIZE
              : key == SortKey::Date ? ID_SORT_BY_DATE
                                     : ID_SORT_BY_NAME);
    RadioMark(menu, ID_SORT_ASCENDING, ID_SORT_DESCENDING,
              IsDescending(context.sortState) ? ID_SORT_DESCENDING : ID_SORT_ASCENDING);
    ApplyEnableRules(BrowserCommands, menu, context);
}

bool ArchiveBrowserDialog::RunCommand(UINT command)
{
    if (command == IDCANCEL) {
        UpOneFolder();
        return true;
    }
    return RunTableCommand(BrowserCommands, *this, command);
}

// ---- moving through the archive --------------------------------------------------------

void ArchiveBrowserDialog::OpenSelected()
{
    const std::vector<int> selected = SelectedRows();
    if (selected.size() == 1)
        OpenRow(selected.front());
}

void ArchiveBrowserDialog::OpenFocused()
{
    const int focused = ListView_GetNextItem(List(), -1, LVNI_FOCUSED);
    if (focused >= 0)
        OpenRow(focused);
}

void ArchiveBrowserDialog::OpenRow(int index)
{
    const ArchiveRow row = m_listing->Row(index);
    if (row.isFolder) {
        ShowFolder(m_listing->RowPath(index));
        return;
    }
    const std::optional<String> path = ExtractForOpening(row.member);
    if (!path)
        return;
    if (IsZipName(row.leaf)) {
        auto nested = std::make_unique<Archive>();
        if (OpenArchiveFile(*nested, path->Chars())) {
            UseArchive(std::move(nested));
            if (HWND shell = FindWindowW(ShellWindowClass, nullptr))
                PostMessageW(shell, ShellArchiveMessage, ShellArchiveReplaced, 0);
            return;
        }
    }
    OpenFile(Window(), row.leaf, *path);
}

void ArchiveBrowserDialog::UpOneFolder()
{
    const String left = LastComponent(m_listing->CurrentFolder());
    String folder;
    if (!m_listing->UpFolder(folder)) {
        CloseBrowser();
        return;
    }
    ShowFolder(folder, left);
}

void ArchiveBrowserDialog::CloseBrowser()
{
    EndDialog(Window(), m_extracted ? 1 : 2);
}

// ---- selection and sorting ---------------------------------------------------------------

void ArchiveBrowserDialog::SelectAllRows()
{
    ListView_SetItemState(List(), -1, LVIS_SELECTED, LVIS_SELECTED);
}

void ArchiveBrowserDialog::InvertSelectedRows()
{
    HWND list = List();
    for (int row = 0; row < m_listing->RowCount(); ++row) {
        const bool selected = ListView_GetItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED;
        ListView_SetItemState(list, row, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
    }
}

void ArchiveBrowserDialog::KeepFocusedRow()
{
    const int focused = ListView_GetNextItem(List(), -1, LVNI_FOCUSED);
    if (focused >= 0)
        SelectOnly(focused);
}

void ArchiveBrowserDialog::SortByName()
{
    SetSort(WithSortKey(m_listing->SortState(), SortKey::Name));
}

void ArchiveBrowserDialog::SortBySize()
{
    SetSort(WithSortKey(m_listing->SortState(), SortKey::Size));
}

void ArchiveBrowserDialog::SortByDate()
{
    SetSort(WithSortKey(m_listing->SortState(), SortKey::Date));
}

void ArchiveBrowserDialog::SortAscending()
{
    SetSort(WithDescending(m_listing->SortState(), false));
}

void ArchiveBrowserDialog::SortDescending()
{
    SetSort(WithDescending(m_listing->SortState(), true));
}

// ---- extracting and testing ----------------------------------------------------------------

std::optional<String> ArchiveBrowserDialog::ExtractForOpening(int member)
{
    const String folder = MakeTemporaryFolder();
    if (folder.IsEmpty()) {
        ShowOperationError(Window(), IDS_NO_ROOM, 0);
        return std::nullopt;
    }
    ArchiveJob job(*m_archive);
    job.destination.assign(folder.Chars(), static_cast<size_t>(folder.Length()));
    job.members = {member};
    m_archive->overwriteWithoutAsking = true;
    const std::optional<ArchiveJobEnd> end = RunArchiveJobDialog(Window(), job);
    m_archive->overwriteWithoutAsking = false;
    if (end != ArchiveJobEnd::Done)
        return std::nullopt;
    return String(MemberPath(job.destination, m_archive->members[static_cast<size_t>(member)].name).c_str());
}

void ArchiveBrowserDialog::ExtractChosen()
{
    if (m_archive->members.empty())
        return;
    const std::vector<int> selected = SelectedRows();
    const auto extract = [&](const ExtractChoice& choice) {
        ArchiveJob job(*m_archive);
        job.destination.assign(choice.destination.Chars(), static_cast<size_t>(choice.destination.Length()));
        job.members = choice.allMembers ? m_listing->AllMembers() : m_listing->MembersOf(selected);
        m_archive->overwriteWithoutAsking = choice.overwrite;
        const std::optional<ArchiveJobEnd> end = RunArchiveJobDialog(Window(), job);
        m_archive->overwriteWithoutAsking = false;
        if (!end)
            return false;
        m_extracted = true;
        return true;
    };
    ExtractDialog(Window(), m_archiveFolder, LastComponent(m_archive->path.c_str()), !selected.empty(), extract).Run();
}

void ArchiveBrowserDialog::TestArchive()
{
    if (m_archive->members.empty())
        return;
    ArchiveJob job(*m_archive);
    job.mode = ArchiveJobMode::Test;
    job.members = m_listing->AllMembers();
    RunArchiveJobDialog(Window(), job);
}

// ---- the browser as a whole ------------------------------------------------------------------

BrowseResult BrowseArchive(HWND owner, const String& archivePath)
{
    auto archive = std::make_unique<Archive>();
    if (!OpenArchiveFile(*archive, std::wstring(archivePath.Chars(), static_cast<size_t>(archivePath.Length()))))
        return BrowseResult::CannotOpen;
    INT_PTR end = -1;
    {
        ArchiveBrowserDialog browser(owner, std::move(archive), ParentPath(archivePath));
        end = RunModal(browser);
    }
    // The archive is closed by now, also one opened from the temporary folder.
    DeleteTemporaryFolders();
    if (end < 0)
        return BrowseResult::CannotOpen;
    return end == 1 ? BrowseResult::Extracted : BrowseResult::Closed;
}
