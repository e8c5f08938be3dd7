// Pellory's settings: SortKey, DisplayKey and DisplayRules under
// HKCU\Software\Zantric\Pellory\1.10. Read once at start-up; each value is
// written at the moment the user confirms it in a settings dialog.
#pragma once

#include "simmanager/EntryView.h"

#include "framework/String.h"
#include "framework/StringArray.h"

#include <windows.h>

#include <vector>

// The DisplayRules value: a zero-filled multi-string of 1024 characters.
inline constexpr int DisplayRulesCharacters = 1024;
inline constexpr DWORD DisplayRulesBytes = DisplayRulesCharacters * sizeof(wchar_t);

// "Software\Zantric\Pellory\1.10"
String PelloryKeyPath();

struct PellorySettings {
    SortKey sortKey = SortKey::Name;
    DisplayKey displayKey = DisplayKey::Names;
    // The DisplayRules value as stored (up to 1024 characters, zero-filled),
    // empty when it was missing or unreadable.
    std::vector<wchar_t> displayRules;
};

// Opens the key; when it cannot be opened, creates it with SortKey and
// DisplayKey 0. A value that is missing, of another type or size, out of
// range, or (DisplayRules) longer than 2048 bytes keeps its default.
PellorySettings LoadSettings(const wchar_t* keyPath = nullptr);

bool WriteSortKey(SortKey key, const wchar_t* keyPath = nullptr);
bool WriteDisplayKey(DisplayKey key, const wchar_t* keyPath = nullptr);
// The rule texts joined into the 1024-character buffer (a text that does not
// fit is left out) and written whole as a multi-string.
bool WriteDisplayRules(const StringArray& rules, const wchar_t* keyPath = nullptr);

// The buffer WriteDisplayRules stores.
std::vector<wchar_t> JoinDisplayRules(const StringArray& rules);
