// Scratch places for tests: a registry key of their own, removed again, and
// a lock for tests that must touch a shared real key. (Folders of their own:
// TempFolder.h.)
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <vector>

// HKCU\Software\VellumateTests\<unique>, created at construction and deleted
// with everything in it at destruction.
class TestRegistryKey {
public:
    TestRegistryKey();
    ~TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The key's path below HKEY_CURRENT_USER, without a trailing separator.
    const String& Path() const noexcept { return m_path; }
    // Path() + "\" + relative.
    String operator/(const wchar_t* relative) const;

private:
    String m_path;
};

// A registry value as stored, read and written around the code under test.
struct RawRegistryValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Stores data of any type and size (creating the key); true on success.
bool SetRawRegistryValue(HKEY root, const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data,
                         DWORD size);
RawRegistryValue GetRawRegistryValue(HKEY root, const wchar_t* keyPath, const wchar_t* name);
bool RegistryKeyExists(HKEY root, const wchar_t* keyPath);

// Serialises test processes that touch one shared real resource (such as a
// program's own registry key): a named mutex held for the object's life.
// Waits at most `timeout` milliseconds; Held() tells whether it got it.
class CrossProcessLock {
public:
    explicit CrossProcessLock(const wchar_t* name, DWORD timeout = 30000);
    ~CrossProcessLock();
    CrossProcessLock(const CrossProcessLock&) = delete;
    CrossProcessLock& operator=(const CrossProcessLock&) = delete;

    bool Held() const noexcept { return m_held; }

private:
    HANDLE m_mutex = nullptr;
    bool m_held = false;
};
