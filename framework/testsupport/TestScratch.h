// Scratch places for tests: a registry key and a folder of their own, both
// removed again, and a lock for tests that must touch a shared real key.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <vector>

// A name no other test process of this run uses: "<pid>-<counter>-<ticks>".
String UniqueTestName();

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

// A new folder in the temporary folder, deleted with its contents at
// destruction (read-only entries included).
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // The folder's full path, without a trailing separator.
    const String& Path() const noexcept { return m_path; }
    // Path() + "\" + relative.
    String operator/(const wchar_t* relative) const;

private:
    String m_path;
};

// Deletes a folder and everything in it; true when it is gone.
bool DeleteFolderTree(const wchar_t* path);

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
