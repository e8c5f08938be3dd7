#include "simmanager/Settings.h"

#include "framework/RegistryKey.h"
#include "framework/Settings.h"

#include <cstring>

namespace {

constexpr const wchar_t* SortKeyValue = L"SortKey";
constexpr const wchar_t* DisplayKeyValue = L"DisplayKey";
constexpr const wchar_t* DisplayRulesValue = L"DisplayRules";

String KeyPathOr(const wchar_t* keyPath)
{
    return keyPath ? String(keyPath) : PelloryKeyPath();
}

String ValuePath(const wchar_t* keyPath, const wchar_t* valueName)
{
    return KeyPathOr(keyPath) + L"\\" + valueName;
}

// A number setting within 0..highest, or false.
bool ReadChoice(const wchar_t* keyPath, const wchar_t* valueName, DWORD highest, DWORD& value)
{
    DWORD stored = 0;
    if (!ReadDword(ValuePath(keyPath, valueName), stored) || stored > highest)
        return false;
    value = stored;
    return true;
}

// The multi-string as stored, when it has that type and at most 2048 bytes.
bool ReadRules(HKEY key, std::vector<wchar_t>& rules)
{
    std::vector<wchar_t> buffer(DisplayRulesCharacters + 1, L'\0');
    DWORD type = 0;
    DWORD size = DisplayRulesBytes;
    if (RegQueryValueExW(key, DisplayRulesValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size > DisplayRulesBytes)
        return false;
    buffer.resize(DisplayRulesCharacters);
    rules = std::move(buffer);
    return true;
}

}  // namespace

String PelloryKeyPath()
{
    return ProgramKey(CompanyName, L"Pellory", 1, 10).Path();
}

PellorySettings LoadSettings(const wchar_t* keyPath)
{
    PellorySettings settings;
    String path = KeyPathOr(keyPath);
    RegistryKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE)) {
        WriteDword(ValuePath(path, SortKeyValue), 0);
        WriteDword(ValuePath(path, DisplayKeyValue), 0);
        return settings;
    }
    DWORD value = 0;
    if (ReadChoice(path, SortKeyValue, 2, value))
        settings.sortKey = static_cast<SortKey>(value);
    if (ReadChoice(path, DisplayKeyValue, 1, value))
        settings.displayKey = static_cast<DisplayKey>(value);
    ReadRules(key.Get(), settings.displayRules);
    return settings;
}

bool WriteSortKey(SortKey key, const wchar_t* keyPath)
{
    return WriteDword(ValuePath(keyPath, SortKeyValue), static_cast<DWORD>(key));
}

bool WriteDisplayKey(DisplayKey key, const wchar_t* keyPath)
{
    return WriteDword(ValuePath(keyPath, DisplayKeyValue), static_cast<DWORD>(key));
}

std::vector<wchar_t> JoinDisplayRules(const StringArray& rules)
{
    std::vector<wchar_t> buffer(DisplayRulesCharacters, L'\0');
    size_t used = 0;
    for (int i = 0; i < rules.GetSize(); ++i) {
        const String& text = rules[i];
        size_t length = static_cast<size_t>(text.Length());
        // An empty text would end the list early; the last character stays
        // free for the list's own terminator.
        if (length == 0 || used + length + 1 > buffer.size() - 1)
            continue;
        std::memcpy(buffer.data() + used, text.Chars(), length * sizeof(wchar_t));
        used += length + 1;
    }
    return buffer;
}

bool WriteDisplayRules(const StringArray& rules, const wchar_t* keyPath)
{
    std::vector<wchar_t> buffer = JoinDisplayRules(rules);
    RegistryKey key;
    if (!key.Create(HKEY_CURRENT_USER, KeyPathOr(keyPath), KEY_SET_VALUE))
        return false;
    return RegSetValueExW(key.Get(), DisplayRulesValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(buffer.data()),
                          DisplayRulesBytes) == ERROR_SUCCESS;
}
