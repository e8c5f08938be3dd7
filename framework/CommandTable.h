// A program's commands as one table: each row binds a command number to the
// main window's handler and to the rule that enables it when a menu opens.
//
//     constexpr CommandRow<MainWindow, CommandContext> Commands[] = {
//         {IDM_DELETE, &MainWindow::DeleteEntry, [](const CommandContext& c) -> EnableState { return c.count > 0; }},
//         {IDM_ABOUT, &MainWindow::ShowAbout, nullptr},
//     };
//
// WM_COMMAND runs RunTableCommand; the menu-state code runs ApplyEnableRules
// with the context it took when the menu opened. A rule may answer nothing:
// the menu then keeps the state its resource gave the command.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

using EnableState = std::optional<bool>;

template <typename Window, typename Context>
struct CommandRow {
    UINT command;
    // Null for a command offered in a menu whose work is done elsewhere.
    void (Window::*run)();
    // Null: the command's menu state never changes.
    EnableState (*enabled)(const Context&);
};

// The row of `command`, or null.
template <typename Window, typename Context, std::size_t Count>
const CommandRow<Window, Context>* FindCommandRow(const CommandRow<Window, Context> (&rows)[Count],
                                                  UINT command) noexcept
{
    for (const CommandRow<Window, Context>& row : rows) {
        if (row.command == command)
            return &row;
    }
    return nullptr;
}

// Runs the handler of `command`; false when the table has none for it.
template <typename Window, typename Context, std::size_t Count>
bool RunTableCommand(const CommandRow<Window, Context> (&rows)[Count], Window& window, UINT command)
{
    const CommandRow<Window, Context>* row = FindCommandRow(rows, command);
    if (!row || !row->run)
        return false;
    (window.*(row->run))();
    return true;
}

// What the rule of `command` says in the context; nothing without a rule.
template <typename Window, typename Context, std::size_t Count>
EnableState CommandState(const CommandRow<Window, Context> (&rows)[Count], UINT command, const Context& context)
{
    const CommandRow<Window, Context>* row = FindCommandRow(rows, command);
    return row && row->enabled ? row->enabled(context) : std::nullopt;
}

// Enables or greys, in table order, every command of the menu (and its
// submenus) whose rule answers.
template <typename Window, typename Context, std::size_t Count>
void ApplyEnableRules(const CommandRow<Window, Context> (&rows)[Count], HMENU menu, const Context& context)
{
    if (!menu)
        return;
    for (const CommandRow<Window, Context>& row : rows) {
        if (!row.enabled || GetMenuState(menu, row.command, MF_BYCOMMAND) == static_cast<UINT>(-1))
            continue;
        if (const EnableState enabled = row.enabled(context))
            EnableMenuItem(menu, row.command, MF_BYCOMMAND | (*enabled ? MF_ENABLED : MF_GRAYED));
    }
}
