#include "filemanager/Commands.h"

#include "filemanager/FolderSort.h"
#include "filemanager/MainWindow.h"
#include "filemanager/resource.h"
#include "framework/CommandTable.h"

#include <cwchar>

namespace {

// ---- the enable rules -----------------------------------------------------------
// A rule answers nothing for a command that has no rule in the pane shown.

bool SomeSelectedNotParent(const CommandContext& c)
{
    return c.selectedCount > 0 && !c.firstSelectedIsParentRow;
}

bool OneSelectedNotParent(const CommandContext& c)
{
    return c.selectedCount == 1 && !c.firstSelectedIsParentRow;
}

EnableState Always(const CommandContext&)
{
    return true;
}

EnableState OpenRule(const CommandContext& c)
{
    return c.listMode ? EnableState(c.selectedCount == 1) : std::nullopt;
}

EnableState PropertiesRule(const CommandContext& c)
{
    return c.listMode ? EnableState(OneSelectedNotParent(c)) : std::nullopt;
}

EnableState RenameRule(const CommandContext& c)
{
    return c.listMode ? OneSelectedNotParent(c) : !c.treeAtRoot;
}

EnableState CopyOrMoveRule(const CommandContext& c)
{
    return c.listMode ? SomeSelectedNotParent(c) : !c.treeAtRoot;
}

EnableState DeleteRule(const CommandContext& c)
{
    if (!c.listMode)
        return !c.treeAtRoot;
    // Only ".." outside the root is nothing to delete.
    return c.selectedCount > 0 && !(c.selectedCount == 1 && !c.currentIsRoot && c.firstSelectedIsParentRow);
}

EnableState UpOneLevelRule(const CommandContext& c)
{
    return c.listMode ? EnableState(!c.treeAtRoot) : std::nullopt;
}

EnableState SortRule(const CommandContext& c)
{
    return c.listMode ? EnableState(true) : std::nullopt;
}

EnableState SingleFileRule(const CommandContext& c)
{
    return c.SingleFileSelected();
}

EnableState BeamRule(const CommandContext& c)
{
    return c.selectedCount > 0 && c.firstSelectedIsFile;
}

EnableState DuplicateRule(const CommandContext& c)
{
    return SomeSelectedNotParent(c);
}

EnableState ZipRule(const CommandContext& c)
{
    return c.SingleFileSelected() && IsZipName(c.singleSelectedFileName);
}

// ---- the command table ------------------------------------------------------------
// In the order in which a menu's rules are applied. Commands without a
// handler are offered by the menus and run elsewhere, or not yet.

using Row = CommandRow<MainWindow, CommandContext>;

constexpr Row Commands[] = {
    {ID_OPEN, &MainWindow::OpenSelected, OpenRule},
    {ID_PROPERTIES, &MainWindow::ShowItemProperties, PropertiesRule},
    {ID_UP_ONE_LEVEL, &MainWindow::UpOneLevel, UpOneLevelRule},
    {ID_DELETE, &MainWindow::DeleteSelected, DeleteRule},
    {ID_RENAME, &MainWindow::RenameItem, RenameRule},
    {ID_COPY_TO, &MainWindow::CopyToFolder, CopyOrMoveRule},
    {ID_MOVE_TO, &MainWindow::MoveToFolder, CopyOrMoveRule},
    {ID_ASSOCIATE, &MainWindow::AssociateSelected, SingleFileRule},
    {ID_OPEN_WITH, &MainWindow::OpenSelectedWith, SingleFileRule},
    {ID_CREATE_SHORTCUT, &MainWindow::CreateShortcutToSelected, SingleFileRule},
    {ID_SEND_MAIL, &MainWindow::SendSelectedByMail, SingleFileRule},
    {ID_BEAM, &MainWindow::BeamSelected, BeamRule},
    {ID_DUPLICATE, &MainWindow::DuplicateSelected, DuplicateRule},
    {ID_EXTRACT_ZIP, &MainWindow::ExtractSelectedZipHere, ZipRule},
    {ID_BROWSE_ZIP, &MainWindow::BrowseSelectedZip, ZipRule},
    // The commands that are always available.
    {ID_SWITCH_PANES, &MainWindow::SwitchPanes, Always},
    {ID_ABOUT, &MainWindow::ShowAbout, Always},
    {ID_EXIT, &MainWindow::Exit, Always},
    {ID_REFRESH, &MainWindow::RefreshPane, Always},
    {ID_SELECT_ALL, &MainWindow::SelectAllItems, Always},
    {ID_INVERT_SELECTION, &MainWindow::InvertSelectedItems, Always},
    {ID_FIND_FILES, &MainWindow::FindFiles, Always},
    {ID_RECEIVE_BEAM, &MainWindow::ReceiveBeam, Always},
    {ID_PREFERENCES, &MainWindow::EditPreferences, Always},
    {ID_CHOOSE_SELECTION, &MainWindow::ChooseSelection, Always},
    {ID_NEW_FOLDER, &MainWindow::NewFolder, Always},
    {ID_SELECT_FIRST, &MainWindow::SelectFirstItem, Always},
    {ID_SELECT_LAST, &MainWindow::SelectLastItem, Always},
    {ID_CLEAR_SELECTION, &MainWindow::ClearSelectedItems, Always},
    {ID_QUICK_FOLDERS, &MainWindow::QuickFolders, Always},
    {ID_DEVICE_INFO, &MainWindow::ShowDeviceInformation, Always},
    // The list's sorting, with its radio marks.
    {ID_SORT_BY_NAME, &MainWindow::SortByName, SortRule},
    {ID_SORT_BY_SIZE, &MainWindow::SortBySize, SortRule},
    {ID_SORT_BY_DATE, &MainWindow::SortByDate, SortRule},
    {ID_SORT_BY_TYPE, &MainWindow::SortByType, SortRule},
    {ID_SORT_ASCENDING, &MainWindow::SortAscending, SortRule},
    {ID_SORT_DESCENDING, &MainWindow::SortDescending, SortRule},
};

constexpr UINT SortKeyCommands[] = {ID_SORT_BY_NAME, ID_SORT_BY_SIZE, ID_SORT_BY_DATE, ID_SORT_BY_TYPE};

bool MenuHasCommand(HMENU menu, UINT command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void RadioMark(HMENU menu, UINT first, UINT last, UINT chosen)
{
    if (MenuHasCommand(menu, first) && MenuHasCommand(menu, last))
        CheckMenuRadioItem(menu, first, last, chosen, MF_BYCOMMAND);
}

}  // namespace

bool IsZipName(const wchar_t* name)
{
    const size_t length = name ? std::wcslen(name) : 0;
    return length > 4 && _wcsicmp(name + length - 4, L".zip") == 0;
}

std::optional<bool> CommandEnabled(UINT command, const CommandContext& context)
{
    return CommandState(Commands, command, context);
}

void UpdateMenuState(HMENU menu, const CommandContext& context)
{
    if (!menu)
        return;
    if (context.listMode) {
        const DWORD key = static_cast<DWORD>(SortKeyOf(context.sortState));
        RadioMark(menu, ID_SORT_BY_NAME, ID_SORT_BY_TYPE, SortKeyCommands[key & 3]);
        RadioMark(menu, ID_SORT_ASCENDING, ID_SORT_DESCENDING,
                  IsDescending(context.sortState) ? ID_SORT_DESCENDING : ID_SORT_ASCENDING);
    }
    ApplyEnableRules(Commands, menu, context);
}

bool HasCommand(UINT command) noexcept
{
    const Row* row = FindCommandRow(Commands, command);
    return row && row->run;
}

bool DispatchCommand(MainWindow& window, UINT command)
{
    return RunTableCommand(Commands, window, command);
}
