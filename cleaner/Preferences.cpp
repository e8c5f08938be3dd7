#include "cleaner/Preferences.h"

#include "framework/RegistryKey.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t ValuesName[] = L"Values";

std::wstring KeyOrDefault(const wchar_t* keyPath)
{
    return keyPath ? std::wstring(keyPath) : PreferencesKeyPath();
}

}  // namespace

std::wstring PreferencesKeyPath()
{
    wchar_t path[128] = {};
    _snwprintf(path, 127, L"%s\\%s\\%s\\%d.%02d\\%s", L"Software", L"Zantric", L"Corvane", 1, 20, L"Preferences");
    return path;
}

bool IntroWanted(const wchar_t* keyPath)
{
    RegistryKey key;
    bool created = false;
    if (!key.Create(HKEY_CURRENT_USER, KeyOrDefault(keyPath).c_str(), KEY_READ | KEY_WRITE, &created) || created)
        return true;
    return RegQueryValueExW(key.Get(), ValuesName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
}

bool RememberIntroSeen(const wchar_t* keyPath)
{
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, KeyOrDefault(keyPath).c_str(), KEY_WRITE))
        return false;
    const DWORD value = 0;
    return RegSetValueExW(key.Get(), ValuesName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}
