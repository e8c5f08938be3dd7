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
    TempFolder()
    {
        wchar_t base[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
        static int counter = 0;
        path_ = std::filesystem::path(std::wstring(base, length)) /
                (L"vmshell-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::wstring Path() const { return path_.wstring(); }

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
    std::filesystem::path path_;
};

}  // namespace vellumate
