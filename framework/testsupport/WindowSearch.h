// Finding top-level windows by class. Other test programs share the desktop
// and show their own windows of the same classes, so a search names whose
// windows it wants.
#pragma once

#include <windows.h>

namespace vellumate {

// This thread's visible top-level window of class `className` nearest the
// front (a submenu before its parent menu), or null.
HWND FindThreadWindow(const wchar_t* className);

// The first visible top-level window of `processId` of class `className`.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// How many top-level windows have class `className`.
int CountWindows(const wchar_t* className);

}  // namespace vellumate
