// A folder of its own for one test, removed with everything in it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace vellumate {

// A name no other test process of this run uses: "<pid>-<counter>-<ticks>".
// Wine hands out process numbers again soon, so the tick count keeps a name
// an earlier test process left behind out of the way.
std::wstring UniqueTestName();

// Deletes a folder and everything in it, read-only entries and paths past
// MAX_PATH included; true when it is gone.
bool RemoveFolderTree(const std::wstring& folder);

class TempFolder {
public:
    // "<temporary folder>\<prefix>-<unique name>".
    explicit TempFolder(std::wstring_view prefix = L"vmtest");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's full path, without a trailing separator.
    const std::wstring& Path() const noexcept { return m_path; }
    std::filesystem::path operator/(const std::wstring& below) const { return std::filesystem::path(m_path) / below; }

    // Writes `bytes` as the file `name` (which may name sub-folders); the
    // file's full path.
    std::wstring Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::wstring m_path;
};

}  // namespace vellumate
