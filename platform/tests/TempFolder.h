// A folder of its own for one test, removed with everything in it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vellumate {

class TempFolder {
public:
    explicit TempFolder(std::wstring_view prefix = L"vmtest")
    {
        wchar_t base[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
        // Wine hands out process numbers again soon, so the tick count keeps
        // a folder an earlier test process failed to remove out of the way.
        static int counter = 0;
        path_ = std::filesystem::path(std::wstring(base, length)) /
                (std::wstring(prefix) + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter) + L"-" + std::to_wstring(::GetTickCount64()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { RemoveTree(L"\\\\?\\" + path_.wstring()); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring Path() const { return path_.wstring(); }
    std::filesystem::path operator/(const std::wstring& below) const { return path_ / below; }

    // Writes `bytes` as the file `name` (which may name sub-folders).
    std::wstring Write(const std::wstring& name, std::string_view bytes) const
    {
        const std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.wstring();
    }

private:
    // Tests build paths past MAX_PATH, which the C++ library's removal cannot
    // reach under Wine; Win32 can, given the long form of the path.
    static void RemoveTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW data;
        const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + L"\\" + name;
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    ::DeleteFileW(path.c_str());
            } while (::FindNextFileW(search, &data));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(folder.c_str());
    }

    std::filesystem::path path_;
};

}  // namespace vellumate
