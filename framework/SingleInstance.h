// One running copy per program: a named mutex tells a second copy that the
// first runs, and the second brings the first one's window to the front.
#pragma once

#include <windows.h>

inline constexpr int SingleInstanceAttempts = 5;
inline constexpr DWORD SingleInstanceWait = 500;  // milliseconds

// How a second copy finds the first one's main window.
struct InstanceLookup {
    // The window's title as well as its class; null: the class alone.
    const wchar_t* windowTitle = nullptr;
    // Wait before each attempt's second look; 0 makes every attempt quick.
    DWORD retryWait = SingleInstanceWait;
    // Also hand the found window the keyboard focus.
    bool focusWindow = false;
};

// `name` names both the mutex and the main window's class. S_OK with
// anotherInstance false: this is the first copy, and the mutex stays open for
// the rest of the process. S_OK with anotherInstance true: a running copy's
// window was found and brought to the front. E_FAIL when the mutex cannot be
// made, or when a copy holds it but its window is not found in
// SingleInstanceAttempts attempts (each a look, a wait and a second look).
HRESULT EnsureSingleInstance(const wchar_t* name, const InstanceLookup& lookup, bool& anotherInstance);

// The same, finding the window by class and, unless null, `windowTitle`, with
// the usual waits.
HRESULT EnsureSingleInstance(const wchar_t* name, const wchar_t* windowTitle, bool& anotherInstance);

// Brings a top-level window of any process to the front together with the
// pop-ups it owns: the pop-up the user used last is activated.
void BringWindowForward(HWND window);
