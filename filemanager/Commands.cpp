#include "filemanager/Commands.h"

#include "filemanager/FolderSort.h"
#include "filemanager/MainWindow.h"
#include "filemanager/resource.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace {

// ---- the command table --------------------------------------------------------

struct CommandBinding {
    UINT command;
    void (MainWindow::*run)();
};

constexpr CommandBinding CommandTable[] = {
    {ID_SWITCH_PANES, &MainWindow::SwitchPanes},
    {ID_ABOUT, &MainWindow::ShowAbout},
    {ID_EXIT, &MainWindow::Exit},
    {ID_OPEN, &MainWindow::OpenSelected},
    {ID_UP_ONE_LEVEL, &MainWindow::UpOneLevel},
    {ID_REFRESH, &MainWindow::RefreshPane},
    {ID_SELECT_ALL, &MainWindow::SelectAllItems},
    {ID_INVERT_SELECTION, &MainWindow::InvertSelectedItems},
    {ID_SELECT_FIRST, &MainWindow::SelectFirstItem},
    {ID_SELECT_LAST, &MainWindow::SelectLastItem},
    {ID_CLEAR_SELECTION, &MainWindow::ClearSelectedItems},
    {ID_SORT_BY_NAME, &MainWindow::SortByName},
    {ID_SORT_BY_SIZE, &MainWindow::SortBySize},
    {ID_SORT_BY_DATE, &MainWindow::SortByDate},
    {ID_SORT_BY_TYPE, &MainWindow::SortByType},
    {ID_SORT_ASCENDING, &MainWindow::SortAscending},
    {ID_SORT_DESCENDING, &MainWindow::SortDescending},
};

// ---- the enable rules -----------------------------------------------------------

bool SomeSelectedNotParent(const CommandContext& c)
{
    return c.selectedCount > 0 && !c.firstSelectedIsParentRow;
}

bool OneSelectedNotParent(const CommandContext& c)
{
    return c.selectedCount == 1 && !c.firstSelectedIsParentRow;
}

bool SingleZipSelected(const CommandContext& c)
{
    return c.SingleFileSelected() && IsZipName(c.singleSelectedFileName);
}

std::optional<bool> ListRule(UINT command, const CommandContext& c)
{
    switch (command) {
    case ID_OPEN:
        return c.selectedCount == 1;
    case ID_RENAME:
    case ID_PROPERTIES:
        return OneSelectedNotParent(c);
    case ID_COPY_TO:
    case ID_MOVE_TO:
        return SomeSelectedNotParent(c);
    case ID_DELETE:
        // Only ".." outside the root is nothing to delete.
        return c.selectedCount > 0 && !(c.selectedCount == 1 && !c.currentIsRoot && c.firstSelectedIsParentRow);
    case ID_UP_ONE_LEVEL:
        return !c.treeAtRoot;
    case ID_SORT_BY_NAME:
    case ID_SORT_BY_SIZE:
    case ID_SORT_BY_DATE:
    case ID_SORT_BY_TYPE:
    case ID_SORT_ASCENDING:
    case ID_SORT_DESCENDING:
        return true;
    default:
        return std::nullopt;
    }
}

std::optional<bool> TreeRule(UINT command, const CommandContext& c)
{
    switch (command) {
    case ID_RENAME:
    case ID_COPY_TO:
    case ID_MOVE_TO:
    case ID_DELETE:
        return !c.treeAtRoot;
    default:
        return std::nullopt;
    }
}

// Rules that hold in both panes.
std::optional<bool> CommonRule(UINT command, const CommandContext& c)
{
    switch (command) {
    case ID_SWITCH_PANES:
    case ID_ABOUT:
    case ID_EXIT:
    case ID_REFRESH:
    case ID_SELECT_ALL:
    case ID_INVERT_SELECTION:
    case ID_FIND_FILES:
    case ID_RECEIVE_BEAM:
    case ID_PREFERENCES:
    case ID_CHOOSE_SELECTION:
    case ID_NEW_FOLDER:
    case ID_SELECT_FIRST:
    case ID_SELECT_LAST:
    case ID_CLEAR_SELECTION:
    case ID_QUICK_FOLDERS:
    case ID_DEVICE_INFO:
        return true;
    case ID_CREATE_SHORTCUT:
    case ID_ASSOCIATE:
    case ID_SEND_MAIL:
    case ID_OPEN_WITH:
        return c.SingleFileSelected();
    case ID_BEAM:
        return c.selectedCount > 0 && c.firstSelectedIsFile;
    case ID_DUPLICATE:
        return SomeSelectedNotParent(c);
    case ID_BROWSE_ZIP:
    case ID_EXTRACT_ZIP:
        return SingleZipSelected(c);
    default:
        return std::nullopt;
    }
}

// The order in which a menu's rules are applied.
constexpr UINT RuleOrder[] = {
    ID_OPEN, ID_PROPERTIES, ID_UP_ONE_LEVEL, ID_DELETE, ID_RENAME, ID_COPY_TO, ID_MOVE_TO, ID_ASSOCIATE,
    ID_OPEN_WITH, ID_CREATE_SHORTCUT, ID_SEND_MAIL, ID_BEAM, ID_DUPLICATE, ID_EXTRACT_ZIP, ID_BROWSE_ZIP,
    // The commands that are always available.
    ID_SWITCH_PANES, ID_ABOUT, ID_EXIT, ID_REFRESH, ID_SELECT_ALL, ID_INVERT_SELECTION, ID_FIND_FILES,
    ID_RECEIVE_BEAM, ID_PREFERENCES, ID_CHOOSE_SELECTION, ID_NEW_FOLDER, ID_SELECT_FIRST, ID_SELECT_LAST,
    ID_CLEAR_SELECTION, ID_QUICK_FOLDERS, ID_DEVICE_INFO};

constexpr UINT SortKeyCommands[] = {ID_SORT_BY_NAME, ID_SORT_BY_SIZE, ID_SORT_BY_DATE, ID_SORT_BY_TYPE};

bool MenuHasCommand(HMENU menu, UINT command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void Enable(HMENU menu, UINT command, bool enabled)
{
    if (MenuHasCommand(menu, command))
        EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void RadioMark(HMENU menu, UINT first, UINT last, UINT chosen)
{
    if (MenuHasCommand(menu, first) && MenuHasCommand(menu, last))
        CheckMenuRadioItem(menu, first, last, chosen, MF_BYCOMMAND);
}

} // namespace

bool IsZipName(const wchar_t* name)
{
    const size_t length = name ? std::wcslen(name) : 0;
    return length > 4 && _wcsicmp(name + length - 4, L".zip") == 0;
}

std::optional<bool> CommandEnabled(UINT command, const CommandContext& context)
{
    if (std::optional<bool> rule = context.listMode ? ListRule(command, context) : TreeRule(command, context))
        return rule;
    return CommonRule(command, context);
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
        for (UINT command : SortKeyCommands)
            Enable(menu, command, true);
        Enable(menu, ID_SORT_ASCENDING, true);
        Enable(menu, ID_SORT_DESCENDING, true);
    }
    for (UINT command : RuleOrder)
        if (std::optional<bool> enabled = CommandEnabled(command, context))
            Enable(menu, command, *enabled);
}

bool HasCommand(UINT command) noexcept
{
    return std::any_of(std::begin(CommandTable), std::end(CommandTable),
                       [command](const CommandBinding& binding) { return binding.command == command; });
}

bool DispatchCommand(MainWindow& window, UINT command)
{
    for (const CommandBinding& binding : CommandTable) {
        if (binding.command == command) {
            (window.*binding.run)();
            return true;
        }
    }
    return false;
}
