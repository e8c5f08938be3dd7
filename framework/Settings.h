// Registry access by value path, and the program key.
//
// A value path is one text that names a key and a value in it: everything
// before the last separator ("\", "/" or ":") is the key path below the root,
// the rest is the value name. A path ending in a separator names the key's
// default value. Every operation opens and closes its key itself.
//
// Reads never pass on a value whose stored type or size differs from what is
// asked: such a value counts as missing, and the caller's buffer is left as it
// was. Keys are opened with the rights the operation needs, so that keys the
// user may read but not change can still be read.
#pragma once

#include "framework/String.h"
#include "framework/StringArray.h"

#include <windows.h>

// The longest key name the registry allows, plus its terminator.
inline constexpr int MaxKeyNameLength = 260;

void SplitValuePath(const wchar_t* valuePath, String& keyPath, String& valueName);

// True when the value exists with type REG_DWORD and size 4.
bool ReadDword(const wchar_t* valuePath, DWORD& value, HKEY root = HKEY_CURRENT_USER);
// Creates the key when missing.
bool WriteDword(const wchar_t* valuePath, DWORD value, HKEY root = HKEY_CURRENT_USER);

// True only when the value has type REG_BINARY and exactly `size` bytes.
bool ReadBinary(const wchar_t* valuePath, void* buffer, DWORD size, HKEY root = HKEY_CURRENT_USER);
bool WriteBinary(const wchar_t* valuePath, const void* data, DWORD size, HKEY root = HKEY_CURRENT_USER);

// True when the value exists with type REG_SZ and holds at most
// `maxCharacters` characters (0: any length); otherwise `text` becomes
// `defaultText`. A stored text without its terminator is read up to its end.
bool ReadText(const wchar_t* valuePath, String& text, int maxCharacters, const wchar_t* defaultText,
              HKEY root = HKEY_CURRENT_USER);
// Type REG_SZ with its terminator; creates the key when missing.
bool WriteText(const wchar_t* valuePath, const wchar_t* text, HKEY root = HKEY_CURRENT_USER);

// Appends the name of every subkey in enumeration order; true when the key
// opened and the enumeration ran to its end without an error.
bool ListSubkeys(const wchar_t* keyPath, StringArray& names, HKEY root = HKEY_CURRENT_USER);

// Deletes the key with its values and all its subkeys, as the handset's
// registry does. An empty key path is refused: it would name the root.
bool DeleteKey(const wchar_t* keyPath, HKEY root = HKEY_CURRENT_USER);

// A program's key under the current user, Software\<company>\<program>\<major>.<minor>,
// and typed access to the values of its subkeys. A program key that could not
// be built (or the default-constructed one) is empty: reads then yield their
// defaults and writes do nothing and fail.
class ProgramKey {
public:
    ProgramKey() = default;
    ProgramKey(const wchar_t* company, const wchar_t* program, int major, int minor);

    const String& Path() const noexcept { return m_path; }
    bool IsEmpty() const noexcept { return m_path.IsEmpty(); }

    // "<program key>\<subkey>\<value name>"
    String ValuePath(const wchar_t* subkey, const wchar_t* valueName) const;

    bool ReadDword(const wchar_t* subkey, const wchar_t* valueName, DWORD& value) const;
    bool WriteDword(const wchar_t* subkey, const wchar_t* valueName, DWORD value) const;
    bool ReadBinary(const wchar_t* subkey, const wchar_t* valueName, void* buffer, DWORD size) const;
    bool WriteBinary(const wchar_t* subkey, const wchar_t* valueName, const void* data, DWORD size) const;
    bool ReadText(const wchar_t* subkey, const wchar_t* valueName, String& text, int maxCharacters,
                  const wchar_t* defaultText) const;
    bool WriteText(const wchar_t* subkey, const wchar_t* valueName, const wchar_t* text) const;

private:
    String m_path;
};

// The maker's name in every program key.
inline constexpr const wchar_t* CompanyName = L"Zantric";
