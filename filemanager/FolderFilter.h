// Which enumeration entries become rows of the folder list.
#pragma once

#include <windows.h>

// "." and "..": the desktop's enumeration reports them, the handset's does
// not; they are never entries of a folder.
bool IsDotEntry(const wchar_t* name) noexcept;

// Whether an entry (not "." or "..") is listed under the preference bits.
// A folder is listed when PreferenceListFolders is set. A file without the
// hidden, system and ROM attributes is always listed; one with any of them is
// listed unless one of its attributes is filtered (hidden by
// PreferenceHideHidden, system by PreferenceHideSystem, ROM by
// PreferenceHideRom), so a hidden ROM file needs both filters off.
bool IsListedEntry(const WIN32_FIND_DATAW& entry, DWORD preferences) noexcept;
