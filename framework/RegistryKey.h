// RegistryKey: an open registry key, closed when the object goes.
#pragma once

#include <windows.h>

#include <utility>

class RegistryKey {
public:
    RegistryKey() noexcept = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_key, nullptr));
        return *this;
    }
    ~RegistryKey() { Reset(); }

    // Opens an existing key; false (and closed) when it cannot be opened.
    bool Open(HKEY root, const wchar_t* path, REGSAM access) noexcept
    {
        HKEY key = nullptr;
        bool opened = RegOpenKeyExW(root, path ? path : L"", 0, access, &key) == ERROR_SUCCESS;
        Reset(opened ? key : nullptr);
        return opened;
    }

    // Opens the key, creating it (and any missing parents) first when it does
    // not exist. `created`, when given, tells which of the two happened.
    bool Create(HKEY root, const wchar_t* path, REGSAM access, bool* created = nullptr) noexcept
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        bool opened = RegCreateKeyExW(root, path ? path : L"", 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                      &key, &disposition) == ERROR_SUCCESS;
        Reset(opened ? key : nullptr);
        if (created)
            *created = opened && disposition == REG_CREATED_NEW_KEY;
        return opened;
    }

    HKEY Get() const noexcept { return m_key; }
    explicit operator bool() const noexcept { return m_key != nullptr; }

    void Reset(HKEY key = nullptr) noexcept
    {
        if (m_key)
            RegCloseKey(m_key);
        m_key = key;
    }

private:
    HKEY m_key = nullptr;
};
