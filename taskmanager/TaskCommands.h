// When the task list's commands are offered: the rules its menus apply when
// they open, as plain functions of what the list holds.
#pragma once

#include "framework/CommandTable.h"

struct TaskCommandContext {
    int rowCount = 0;
};

// Switch to, close, and close all act on rows: greyed on an empty list.
EnableState RowCommandEnabled(const TaskCommandContext& context);

// The list's own keys (besides the menu's): the command a key posts, or 0.
// Enter switches; 2 closes all and 7 closes the selected application when
// there are rows; the star key refreshes.
unsigned CommandOfListKey(unsigned virtualKey, int rowCount) noexcept;
