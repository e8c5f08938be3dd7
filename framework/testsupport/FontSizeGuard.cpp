#include "framework/testsupport/FontSizeGuard.h"

#include "framework/RegistryKey.h"

FontSizeGuard::FontSizeGuard(std::optional<DWORD> size)
{
    if (!Held())
        return;
    m_saved = GetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize");
    m_keyExisted = RegistryKeyExists(HKEY_CURRENT_USER, AccessibilityKey);
    if (size)
        Set(*size);
}

FontSizeGuard::~FontSizeGuard()
{
    if (!Held())
        return;
    if (m_saved.exists) {
        SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", m_saved.type, m_saved.data.data(),
                            static_cast<DWORD>(m_saved.data.size()));
    } else if (m_keyExisted) {
        RemoveValue();
    } else {
        RegDeleteKeyW(HKEY_CURRENT_USER, AccessibilityKey);
    }
}

bool FontSizeGuard::Set(DWORD size)
{
    return SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", REG_DWORD, &size, sizeof size);
}

void FontSizeGuard::RemoveValue()
{
    RegistryKey key;
    if (key.Open(HKEY_CURRENT_USER, AccessibilityKey, KEY_SET_VALUE))
        RegDeleteValueW(key.Get(), L"FontSize");
}
