// The large-font setting is the real one of the user, shared with other test
// processes: held for the guard's life (other processes that touch it wait),
// and restored as it was afterwards.
#pragma once

#include "framework/testsupport/TestScratch.h"

#include <windows.h>

#include <optional>

class FontSizeGuard {
public:
    // Holds the setting; sets it to `size` when one is given.
    explicit FontSizeGuard(std::optional<DWORD> size = std::nullopt);
    ~FontSizeGuard();
    FontSizeGuard(const FontSizeGuard&) = delete;
    FontSizeGuard& operator=(const FontSizeGuard&) = delete;

    bool Held() const noexcept { return m_lock.Held(); }
    // Whether the accessibility key was there before the guard.
    bool KeyExisted() const noexcept { return m_keyExisted; }

    // Stores the DWORD setting; true on success.
    static bool Set(DWORD size);
    // Removes the setting's value, leaving the key.
    static void RemoveValue();

private:
    CrossProcessLock m_lock{L"VellumateTests-FontSize"};
    RawRegistryValue m_saved;
    bool m_keyExisted = false;
};

// Where the setting lives below HKEY_CURRENT_USER.
inline constexpr wchar_t AccessibilityKey[] = L"ControlPanel\\Accessibility";
