#include "framework/testsupport/TempFolder.h"

#include <atomic>
#include <fstream>

namespace vellumate {
namespace {

// The form of a full path that reaches past MAX_PATH.
std::wstring LongForm(const std::wstring& path)
{
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\' && path.find(L'/') == std::wstring::npos)
        return L"\\\\?\\" + path;
    return path;
}

void RemoveBelow(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveBelow(path);
            ::RemoveDirectoryW(path.c_str());
        } else {
            ::DeleteFileW(path.c_str());
        }
    } while (::FindNextFileW(search, &data));
    ::FindClose(search);
}

}  // namespace

std::wstring UniqueTestName()
{
    static std::atomic<unsigned> counter{0};
    return std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter.fetch_add(1)) + L"-" +
           std::to_wstring(::GetTickCount64());
}

bool RemoveFolderTree(const std::wstring& folder)
{
    const std::wstring path = LongForm(folder);
    RemoveBelow(path);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return ::RemoveDirectoryW(path.c_str()) || ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

TempFolder::TempFolder(std::wstring_view prefix)
{
    wchar_t base[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
    m_path.assign(base, length > MAX_PATH ? 0 : length);
    while (!m_path.empty() && m_path.back() == L'\\')
        m_path.pop_back();
    m_path += L"\\";
    m_path += prefix;
    m_path += L"-" + UniqueTestName();
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    RemoveFolderTree(m_path);
}

std::wstring TempFolder::Write(const std::wstring& name, std::string_view bytes) const
{
    const std::filesystem::path file = *this / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.wstring();
}

}  // namespace vellumate
