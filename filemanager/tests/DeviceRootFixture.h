// A handset root of the test's own: a temporary folder made the device root
// (VELLUMATE_ROOT) for the test's duration, with helpers that make files and
// folders in it by handset path.
#pragma once

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderList.h"
#include "framework/testsupport/TempDevice.h"
#include "framework/testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class DeviceRootFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_rootVariable.emplace(L"VELLUMATE_ROOT", m_root.Path().c_str());
        ASSERT_TRUE(m_rootVariable->Set());
    }

    void TearDown() override { m_rootVariable.reset(); }

    // Makes a folder (and its parents) by handset path.
    static void MakeFolder(const wchar_t* handsetPath)
    {
        String path = NormalizeFolderPath(handsetPath);
        for (int separator = path.Find(L'\\', 1); separator > 0; separator = path.Find(L'\\', separator + 1))
            CreateDirectoryW(ToFileSystemPath(path.Left(separator)), nullptr);
        ASSERT_TRUE(CreateDirectoryW(ToFileSystemPath(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
            << "folder " << std::wstring(path.Chars()).size();
    }

    // Makes a file of `size` bytes by handset path.
    static void MakeFile(const wchar_t* handsetPath, DWORD size = 0)
    {
        HANDLE file = CreateFileW(ToFileSystemPath(handsetPath), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::vector<char> bytes(size, 'x');
        DWORD written = 0;
        if (size > 0)
            WriteFile(file, bytes.data(), size, &written, nullptr);
        CloseHandle(file);
        ASSERT_EQ(written, size);
    }

    static void SetWriteTime(const wchar_t* handsetPath, ULONGLONG fileTime)
    {
        HANDLE file =
            CreateFileW(ToFileSystemPath(handsetPath), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
    }

    static void SetAttributes(const wchar_t* handsetPath, DWORD attributes)
    {
        ASSERT_TRUE(SetFileAttributesW(ToFileSystemPath(handsetPath), attributes));
    }

    // The names of the list's items, in order.
    static std::vector<std::wstring> ListedNames(const FolderList& list)
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < list.ItemCount(); ++i)
            names.emplace_back(list.Item(i).name.Chars());
        return names;
    }

    // The names of the selected items, in the order of selecting.
    static std::vector<std::wstring> SelectedNames(const FolderList& list)
    {
        std::vector<std::wstring> names;
        for (int n = 0; n < list.SelectedCount(); ++n)
            names.emplace_back(list.Item(list.SelectedIndex(n)).name.Chars());
        return names;
    }

    vellumate::TempFolder m_root;

private:
    std::optional<vellumate::ScopedVariable> m_rootVariable;
};

// Records the list's events in order, as short words.
class RecordingObserver : public FolderListObserver {
public:
    void OnReadStarted() override { Add(L"started"); }
    void OnReadFinished() override { Add(L"finished"); }
    void OnIconsCleared() override { Add(L"icons"); }
    void OnScrollRangeReset() override { Add(L"scroll"); }
    void OnListChanged() override { Add(L"changed"); }
    void OnRowChanged(int index) override { Add(L"row " + std::to_wstring(index)); }
    void OnTreeRefresh() override { Add(L"tree"); }
    void OnFolderAdded(const String& parentPath, const String& name) override
    {
        Add(std::wstring(L"added ") + parentPath.Chars() + L"|" + name.Chars());
    }
    void OnFolderRemoved(const String& path) override { Add(std::wstring(L"removed ") + path.Chars()); }
    void OnFolderRenamed(const String& oldPath, const String& newName) override
    {
        Add(std::wstring(L"renamed ") + oldPath.Chars() + L"|" + newName.Chars());
    }

    // The recorded events that start with `prefix`.
    std::vector<std::wstring> Starting(const wchar_t* prefix) const
    {
        std::vector<std::wstring> found;
        for (const std::wstring& event : events)
            if (event.rfind(prefix, 0) == 0)
                found.push_back(event);
        return found;
    }

    std::vector<std::wstring> events;

private:
    void Add(std::wstring event) { events.push_back(std::move(event)); }
};
