// The applications of the session as the task list shows them: the
// top-level windows that pass the listing rules (ListingRules.h) and are not
// hidden by the user, in the platform's window order.
#pragma once

#include "taskmanager/HiddenApps.h"

#include "framework/String.h"

#include <windows.h>

#include <vector>

struct TaskRow {
    HWND window = nullptr;
    String title;
    String className;
    // The executable of the window's process as a handset path, or the
    // known application's shortcut; empty when the process cannot be asked.
    String identityPath;
};

// A window's title and class, each of at most MaxClosingText characters;
// empty when the window has gone.
String WindowTitleOf(HWND window);
String WindowClassOf(HWND window);

// `ownDialog` is the task list itself; `shortcutFolder` the Start menu
// folder. A window that goes away while it is being read is left out.
std::vector<TaskRow> ListApplications(HWND ownDialog, const HiddenList& hidden, const String& shortcutFolder);
