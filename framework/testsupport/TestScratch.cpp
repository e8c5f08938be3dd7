#include "framework/testsupport/TestScratch.h"

#include <atomic>
#include <cwchar>

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) noexcept : m_handle(handle) {}
    ~FindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE Get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

String Joined(const String& path, const wchar_t* relative)
{
    String joined = path;
    joined += L'\\';
    joined += relative;
    return joined;
}

void DeleteEntry(const String& path, DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        DeleteFolderTree(path);
    else
        DeleteFileW(path);
}

}  // namespace

String UniqueTestName()
{
    static std::atomic<unsigned> counter{0};
    String name;
    name.FormatText(L"%lu-%u-%I64u", GetCurrentProcessId(), counter.fetch_add(1), GetTickCount64());
    return name;
}

TestRegistryKey::TestRegistryKey()
{
    m_path = L"Software\\VellumateTests\\";
    m_path += UniqueTestName();
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

TemporaryFolder::TemporaryFolder()
{
    wchar_t temp[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    m_path = String(temp, length > MAX_PATH ? 0 : static_cast<int>(length));
    m_path.TrimRight(L'\\');
    m_path += L"\\vellumate-";
    m_path += UniqueTestName();
    CreateDirectoryW(m_path, nullptr);
}

TemporaryFolder::~TemporaryFolder()
{
    DeleteFolderTree(m_path);
}

String TemporaryFolder::operator/(const wchar_t* relative) const
{
    return Joined(m_path, relative);
}

bool DeleteFolderTree(const wchar_t* path)
{
    String folder(path);
    WIN32_FIND_DATAW data;
    {
        FindHandle search(FindFirstFileW(Joined(folder, L"*"), &data));
        if (search) {
            do {
                if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0)
                    DeleteEntry(Joined(folder, data.cFileName), data.dwFileAttributes);
            } while (FindNextFileW(search.Get(), &data));
        }
    }
    DWORD attributes = GetFileAttributesW(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(folder, attributes & ~FILE_ATTRIBUTE_READONLY);
    return RemoveDirectoryW(folder) || GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES;
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
