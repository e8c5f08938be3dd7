// A handset device of its own for one test: a temporary folder with "root"
// (the handset's "\") and "profile.ini", made the process's device through
// VELLUMATE_ROOT and VELLUMATE_PROFILE, and removed with everything in it.
#pragma once

#include "platform/DevicePaths.h"
#include "platform/ProfileSource.h"
#include "platform/tests/TempFolder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

class TempDevice {
public:
    explicit TempDevice(std::string_view profile = {})
        : oldProfile_(Variable(ProfileVariable)), oldRoot_(Variable(RootVariable)), folder_(L"vmservices")
    {
        std::filesystem::create_directories(Root());
        ::SetEnvironmentVariableW(ProfileVariable, ProfilePath().c_str());
        ::SetEnvironmentVariableW(RootVariable, Root().wstring().c_str());
        WriteProfile(profile);
    }
    ~TempDevice()
    {
        Restore(ProfileVariable, oldProfile_);
        Restore(RootVariable, oldRoot_);
    }
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    std::wstring ProfilePath() const { return (folder_ / L"profile.ini").wstring(); }
    std::filesystem::path Root() const { return folder_ / L"root"; }

    // Replaces the profile the way the tool does: a new file renamed over the
    // old one, with a later last-write time.
    void WriteProfile(std::string_view text) const
    {
        const std::filesystem::path next = folder_ / L"profile.ini.new";
        {
            std::ofstream out(next, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
        ::MoveFileExW(next.c_str(), ProfilePath().c_str(), MOVEFILE_REPLACE_EXISTING);
    }

    // Makes folders (and the folders above them) below the root.
    void MakeFolder(const std::wstring& below) const { std::filesystem::create_directories(Root() / below); }

private:
    static std::optional<std::wstring> Variable(const wchar_t* name)
    {
        if (::GetEnvironmentVariableW(name, nullptr, 0) == 0)
            return std::nullopt;
        return EnvironmentText(name);
    }
    static void Restore(const wchar_t* name, const std::optional<std::wstring>& value)
    {
        ::SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
    }

    std::optional<std::wstring> oldProfile_;
    std::optional<std::wstring> oldRoot_;
    TempFolder folder_;
};

}  // namespace vellumate
