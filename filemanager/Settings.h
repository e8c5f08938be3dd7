// Tarnwell's settings: the sort state, the preference bits and the folder to
// open first, kept under the program key Software\Zantric\Tarnwell\1.30.
// They are read once at start-up and written once at exit.
#pragma once

#include "framework/Settings.h"
#include "framework/String.h"

#include <windows.h>

// Preference bit: the current folder is remembered at exit.
inline constexpr DWORD PreferenceRememberFolder = 0x004;
// The preferences of a first start (every bit from 0x001 to 0x200 but 0x002).
inline constexpr DWORD DefaultPreferences = 0x3FD;

// The longest "Opened Folder" that is taken; a longer one counts as missing.
inline constexpr int MaxOpenedFolderLength = 260;

struct AppSettings {
    DWORD sortState = 0;    // "UI Info\Values"
    DWORD preferences = 0;  // "Preferences\Values"
    String openedFolder;    // "Strings\Opened Folder": where the program starts; empty for the root
};

// Software\Zantric\Tarnwell\1.30
ProgramKey TarnwellProgramKey();

// Reads the settings; a value that is missing or of another type or size
// gives its default (sort state 0, preferences 0x3FD, no folder).
AppSettings LoadAppSettings(const ProgramKey& key);

// Writes the sort state, the preferences and, as "Opened Folder",
// `currentFolder` when the preferences remember it, else an empty text.
// True when every value was written; callers may ignore a failure (the
// settings are then simply not remembered).
bool SaveAppSettings(const ProgramKey& key, const AppSettings& settings, const wchar_t* currentFolder);
