// Which application a listed window belongs to, as the hidden list names it.
//
// Usually that is the executable of the window's process. Some built-in
// applications share one executable; for them the identity is their shortcut
// in the Start menu folder, found by the window's class.
#pragma once

#include "framework/String.h"

struct KnownApplication {
    const wchar_t* windowClass;  // compared exactly, with case
    const wchar_t* shortcut;     // relative to the Start menu folder
};

// The known application whose window has class `windowClass`, or null.
const KnownApplication* FindKnownApplication(const wchar_t* windowClass) noexcept;

// The identity path of a window of class `windowClass` whose process runs
// `executablePath`: "<shortcutFolder>\<shortcut>" for a known application,
// the executable's path otherwise.
String IdentityPath(const wchar_t* windowClass, const String& executablePath, const String& shortcutFolder);
