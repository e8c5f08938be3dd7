// Corvane's one preference: whether the intro has been confirmed with "do
// not show again", kept as the presence of the value "Values" under
// HKCU\Software\Zantric\Corvane\1.20\Preferences.
#pragma once

#include <string>

// "Software\Zantric\Corvane\1.20\Preferences"
std::wstring PreferencesKeyPath();

// Whether the intro is to be shown: when the key cannot be opened, was just
// created, or has no "Values". `keyPath` replaces the program's key (tests).
bool IntroWanted(const wchar_t* keyPath = nullptr);

// Writes "Values" (4 bytes of REG_BINARY, 0); false when it cannot.
bool RememberIntroSeen(const wchar_t* keyPath = nullptr);
