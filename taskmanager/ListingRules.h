// Which top-level windows are applications in the user's sense: the rules
// the task list applies to every window of the session.
#pragma once

#include "framework/String.h"

// What the list asks of a window.
struct WindowFacts {
    bool visible = false;
    bool owned = false;      // it has an owner window
    bool ownDialog = false;  // it is the task list itself
    String title;
    String className;
};

// Never listed: the home shell's windows and system components, by title or
// by class (both without regard to case).
bool IsNeverListedTitle(const wchar_t* title) noexcept;
bool IsNeverListedClass(const wchar_t* className) noexcept;

// Whether the window gets a row (before the hidden list is asked).
bool IsApplicationWindow(const WindowFacts& window) noexcept;

// The row selected after a refresh: the remembered one, or the last row when
// fewer remain; -1 for an empty list.
int RowToSelect(int count, int remembered) noexcept;
