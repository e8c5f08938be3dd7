// Opening a file: a zip archive in the archive browser, a shortcut through
// the shell, a file of an associated type in its program, any other file in
// a program the user chooses (offering to associate its type).
#pragma once

#include "framework/String.h"

#include <windows.h>

// Opens the file `name` whose handset path is `fullPath`; messages are
// owned by `owner`. True when files were made meanwhile (an archive's
// browser extracted members), so that the caller reads its list again.
bool OpenFile(HWND owner, const String& name, const String& fullPath);

// The preferences the open-with dialog follows (hidden programs): the
// program's, kept current by its main window.
void SetFileOpeningPreferences(DWORD preferences) noexcept;
DWORD FileOpeningPreferences() noexcept;
