#include "framework/Settings.h"

#include "framework/RegistryKey.h"

#include <cstring>
#include <cwchar>
#include <memory>

namespace {

constexpr const wchar_t* ValuePathSeparators = L"\\/:";

int LastSeparator(const String& path)
{
    int last = -1;
    for (int i = 0; i < path.Length(); ++i) {
        if (std::wcschr(ValuePathSeparators, path[i]))
            last = i;
    }
    return last;
}

// A value path resolved into its key, opened with `access`.
struct OpenedValue {
    RegistryKey key;
    String name;
};

bool OpenValue(const wchar_t* valuePath, HKEY root, REGSAM access, OpenedValue& value)
{
    String keyPath;
    SplitValuePath(valuePath, keyPath, value.name);
    return value.key.Open(root, keyPath, access);
}

bool CreateValue(const wchar_t* valuePath, HKEY root, OpenedValue& value)
{
    String keyPath;
    SplitValuePath(valuePath, keyPath, value.name);
    return value.key.Create(root, keyPath, KEY_SET_VALUE);
}

bool QueryValueShape(const OpenedValue& value, DWORD& type, DWORD& size)
{
    return RegQueryValueExW(value.key.Get(), value.name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

// Reads a value of exactly `type` and `size` bytes into `buffer`, in one
// query: a larger value does not fit (ERROR_MORE_DATA), a smaller one or one
// of another type is refused after the read. The value goes through a buffer
// of its own, so a refused value leaves nothing in the caller's buffer.
bool ReadExact(const wchar_t* valuePath, HKEY root, DWORD wantedType, void* buffer, DWORD wantedSize)
{
    OpenedValue value;
    if (!OpenValue(valuePath, root, KEY_QUERY_VALUE, value))
        return false;
    auto data = std::make_unique<BYTE[]>(wantedSize + 1);
    DWORD type = 0;
    DWORD size = wantedSize;
    if (RegQueryValueExW(value.key.Get(), value.name, nullptr, &type, data.get(), &size) != ERROR_SUCCESS ||
        type != wantedType || size != wantedSize)
        return false;
    if (wantedSize > 0)
        std::memcpy(buffer, data.get(), wantedSize);
    return true;
}

bool WriteValue(const wchar_t* valuePath, HKEY root, DWORD type, const void* data, DWORD size)
{
    OpenedValue value;
    if (!CreateValue(valuePath, root, value))
        return false;
    return RegSetValueExW(value.key.Get(), value.name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// The stored text of a REG_SZ value up to its first terminator (or the end of
// the data); false when the value is missing or has another type.
bool QueryText(const OpenedValue& value, String& text)
{
    // A value may grow between the size query and the read; try a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        if (!QueryValueShape(value, type, size) || type != REG_SZ)
            return false;
        // 16 bytes of slack beyond the stored size leave room for a terminator
        // the value may lack.
        int room = static_cast<int>(size / sizeof(wchar_t)) + 8;
        wchar_t* buffer = text.Reserve(room);
        DWORD read = static_cast<DWORD>(room * sizeof(wchar_t));
        LSTATUS status =
            RegQueryValueExW(value.key.Get(), value.name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &read);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return false;
        text.Commit(static_cast<int>(wcsnlen(buffer, read / sizeof(wchar_t))));
        return true;
    }
    return false;
}

}  // namespace

void SplitValuePath(const wchar_t* valuePath, String& keyPath, String& valueName)
{
    String path(valuePath ? valuePath : L"");
    int separator = LastSeparator(path);
    keyPath = separator >= 0 ? path.Left(separator) : String();
    valueName = path.Mid(separator + 1);
}

bool ReadDword(const wchar_t* valuePath, DWORD& value, HKEY root)
{
    return ReadExact(valuePath, root, REG_DWORD, &value, sizeof value);
}

bool WriteDword(const wchar_t* valuePath, DWORD value, HKEY root)
{
    return WriteValue(valuePath, root, REG_DWORD, &value, sizeof value);
}

bool ReadBinary(const wchar_t* valuePath, void* buffer, DWORD size, HKEY root)
{
    return (buffer || size == 0) && ReadExact(valuePath, root, REG_BINARY, buffer, size);
}

bool WriteBinary(const wchar_t* valuePath, const void* data, DWORD size, HKEY root)
{
    return (data || size == 0) && WriteValue(valuePath, root, REG_BINARY, data, size);
}

bool ReadText(const wchar_t* valuePath, String& text, int maxCharacters, const wchar_t* defaultText, HKEY root)
{
    OpenedValue value;
    String stored;
    bool found = OpenValue(valuePath, root, KEY_QUERY_VALUE, value) && QueryText(value, stored) &&
                 (maxCharacters <= 0 || stored.Length() <= maxCharacters);
    text = found ? stored : String(defaultText ? defaultText : L"");
    return found;
}

bool WriteText(const wchar_t* valuePath, const wchar_t* text, HKEY root)
{
    String stored(text ? text : L"");
    DWORD size = static_cast<DWORD>((stored.Length() + 1) * sizeof(wchar_t));
    return WriteValue(valuePath, root, REG_SZ, stored.Chars(), size);
}

bool ListSubkeys(const wchar_t* keyPath, StringArray& names, HKEY root)
{
    RegistryKey key;
    if (!key.Open(root, keyPath, KEY_ENUMERATE_SUB_KEYS))
        return false;
    for (DWORD index = 0;; ++index) {
        wchar_t name[MaxKeyNameLength];
        DWORD length = MaxKeyNameLength;
        LSTATUS status = RegEnumKeyExW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            return true;
        if (status != ERROR_SUCCESS)
            return false;
        names.Add(String(name, static_cast<int>(length)));
    }
}

bool DeleteKey(const wchar_t* keyPath, HKEY root)
{
    if (!keyPath || !*keyPath)
        return false;
    return RegDeleteTreeW(root, keyPath) == ERROR_SUCCESS;
}

ProgramKey::ProgramKey(const wchar_t* company, const wchar_t* program, int major, int minor)
{
    if (!company || !*company || !program || !*program)
        return;
    m_path.FormatText(L"%s\\%s\\%s\\%d.%02d", L"Software", company, program, major, minor);
}

String ProgramKey::ValuePath(const wchar_t* subkey, const wchar_t* valueName) const
{
    String path;
    path.FormatText(L"%s\\%s\\%s", m_path, subkey ? subkey : L"", valueName ? valueName : L"");
    return path;
}

bool ProgramKey::ReadDword(const wchar_t* subkey, const wchar_t* valueName, DWORD& value) const
{
    return !IsEmpty() && ::ReadDword(ValuePath(subkey, valueName), value, HKEY_CURRENT_USER);
}

bool ProgramKey::WriteDword(const wchar_t* subkey, const wchar_t* valueName, DWORD value) const
{
    return !IsEmpty() && ::WriteDword(ValuePath(subkey, valueName), value, HKEY_CURRENT_USER);
}

bool ProgramKey::ReadBinary(const wchar_t* subkey, const wchar_t* valueName, void* buffer, DWORD size) const
{
    return !IsEmpty() && ::ReadBinary(ValuePath(subkey, valueName), buffer, size, HKEY_CURRENT_USER);
}

bool ProgramKey::WriteBinary(const wchar_t* subkey, const wchar_t* valueName, const void* data, DWORD size) const
{
    return !IsEmpty() && ::WriteBinary(ValuePath(subkey, valueName), data, size, HKEY_CURRENT_USER);
}

bool ProgramKey::ReadText(const wchar_t* subkey, const wchar_t* valueName, String& text, int maxCharacters,
                          const wchar_t* defaultText) const
{
    if (IsEmpty()) {
        text = defaultText ? defaultText : L"";
        return false;
    }
    return ::ReadText(ValuePath(subkey, valueName), text, maxCharacters, defaultText, HKEY_CURRENT_USER);
}

bool ProgramKey::WriteText(const wchar_t* subkey, const wchar_t* valueName, const wchar_t* text) const
{
    return !IsEmpty() && ::WriteText(ValuePath(subkey, valueName), text, HKEY_CURRENT_USER);
}
