// Tarnwell's commands: the table that binds each command number to the main
// window's handler, and the rules that enable, grey and radio-mark them in a
// menu that is about to open.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <optional>

class MainWindow;

// What the enable rules look at, taken when a menu opens.
struct CommandContext {
    bool listMode = false;
    // The list's selection (in the tree pane the tree's current folder
    // counts as the single selected item, unless it is the root).
    int selectedCount = 0;
    bool firstSelectedIsParentRow = false;  // the first selected item is ".."
    bool firstSelectedIsFile = false;
    String singleSelectedFileName;  // the single selected item, when a file
    bool currentIsRoot = false;     // the list shows the device root
    // The tree's current node is the root (it has no parent).
    bool treeAtRoot = true;
    DWORD sortState = 0;

    bool SingleFileSelected() const noexcept { return selectedCount == 1 && !singleSelectedFileName.IsEmpty(); }
};

// Whether a command is enabled in the context; nothing for a command that
// has no rule in the pane shown (the menu keeps the state its resource gave
// it).
std::optional<bool> CommandEnabled(UINT command, const CommandContext& context);

// Whether a file name names a zip archive: longer than four characters and
// ending in ".zip" in any letter case.
bool IsZipName(const wchar_t* name);

// Applies the enable rules to every command of `menu` and its submenus, and
// in the list pane the radio marks of the sort key and direction.
void UpdateMenuState(HMENU menu, const CommandContext& context);

// Whether the table has a handler for the command.
bool HasCommand(UINT command) noexcept;

// Runs one command of the table; false for a number the table does not have.
bool DispatchCommand(MainWindow& window, UINT command);
