// When the main window's commands are offered: plain rules over a context
// taken when a menu opens, so that they read as a table and a test can ask
// them directly.
#pragma once

#include "simmanager/EntryView.h"

#include "framework/CommandTable.h"

#include <windows.h>

struct MenuContext {
    bool genericStore = true;  // the current store is the general phonebook
    bool simReady = false;
    bool phonebooksLoaded = false;
    bool hasFocus = false;  // the current view has a focused row
    int markedCount = 0;
    bool viewEmpty = true;  // no current view, or one without rows
    ViewKind kind = ViewKind::Base;
};

// Whether `command` is enabled; nothing for a command the rules leave as the
// menu resource has it.
EnableState MenuCommandState(UINT command, const MenuContext& context) noexcept;

// The command of the radio group "show all / duplicates / redundant" that is
// marked for the current view.
UINT ShownFilterCommand(ViewKind kind) noexcept;
