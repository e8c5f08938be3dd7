#include "filemanager/Settings.h"

namespace {

constexpr const wchar_t* UiInfoKey = L"UI Info";
constexpr const wchar_t* PreferencesKey = L"Preferences";
constexpr const wchar_t* StringsKey = L"Strings";
constexpr const wchar_t* ValuesName = L"Values";
constexpr const wchar_t* OpenedFolderName = L"Opened Folder";

}  // namespace

ProgramKey TarnwellProgramKey()
{
    return ProgramKey(CompanyName, L"Tarnwell", 1, 30);
}

AppSettings LoadAppSettings(const ProgramKey& key)
{
    // A value that cannot be read leaves its word untouched: the sort state
    // stays 0 (by name, ascending).
    AppSettings settings;
    key.ReadBinary(UiInfoKey, ValuesName, &settings.sortState, sizeof settings.sortState);
    if (!key.ReadBinary(PreferencesKey, ValuesName, &settings.preferences, sizeof settings.preferences))
        settings.preferences = DefaultPreferences;
    key.ReadText(StringsKey, OpenedFolderName, settings.openedFolder, MaxOpenedFolderLength, L"");
    return settings;
}

bool SaveAppSettings(const ProgramKey& key, const AppSettings& settings, const wchar_t* currentFolder)
{
    bool saved = key.WriteBinary(UiInfoKey, ValuesName, &settings.sortState, sizeof settings.sortState);
    saved = key.WriteBinary(PreferencesKey, ValuesName, &settings.preferences, sizeof settings.preferences) && saved;
    const wchar_t* folder = (settings.preferences & PreferenceRememberFolder) && currentFolder ? currentFolder : L"";
    saved = key.WriteText(StringsKey, OpenedFolderName, folder) && saved;
    return saved;
}
