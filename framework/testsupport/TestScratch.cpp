#include "framework/testsupport/TestScratch.h"

#include "framework/testsupport/TempFolder.h"

namespace {

String Joined(const String& path, const wchar_t* relative)
{
    String joined = path;
    joined += L'\\';
    joined += relative;
    return joined;
}

}  // namespace

TestRegistryKey::TestRegistryKey()
{
    m_path = L"Software\\VellumateTests\\";
    m_path += vellumate::UniqueTestName().c_str();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

TestRegistryKey::~TestRegistryKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, m_path);
}

String TestRegistryKey::operator/(const wchar_t* relative) const
{
    return Joined(m_path, relative);
}

bool SetRawRegistryValue(HKEY root, const wchar_t* keyPath, const wchar_t* name, DWORD type, const void* data,
                         DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool stored = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

RawRegistryValue GetRawRegistryValue(HKEY root, const wchar_t* keyPath, const wchar_t* name)
{
    RawRegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        value.exists = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) == ERROR_SUCCESS;
        value.data.resize(size);
    }
    RegCloseKey(key);
    return value;
}

bool RegistryKeyExists(HKEY root, const wchar_t* keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

CrossProcessLock::CrossProcessLock(const wchar_t* name, DWORD timeout) : m_mutex(CreateMutexW(nullptr, FALSE, name))
{
    if (!m_mutex)
        return;
    DWORD result = WaitForSingleObject(m_mutex, timeout);
    m_held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

CrossProcessLock::~CrossProcessLock()
{
    if (m_held)
        ReleaseMutex(m_mutex);
    if (m_mutex)
        CloseHandle(m_mutex);
}
