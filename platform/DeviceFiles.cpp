#include "platform/DeviceFiles.h"

#include "platform/Handles.h"
#include "platform/ProfileSource.h"

#include <algorithm>

namespace vellumate {
namespace {

constexpr int RenameAttempts = 200;
constexpr DWORD RenameRetryMs = 5;

bool WriteWhole(HANDLE file, std::string_view bytes) noexcept
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::wstring DeviceFilePath(std::wstring_view name)
{
    const std::wstring profile = EnvironmentText(ProfileVariable);
    if (profile.empty())
        return {};
    const std::size_t slash = profile.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : profile.substr(0, slash + 1)) + std::wstring(name);
}

bool ReplaceFileDurably(const std::wstring& path, std::string_view bytes) noexcept
{
    try {
        const std::wstring next = path + L"." + std::to_wstring(::GetCurrentProcessId()) + L".new";
        {
            FileHandle file(::CreateFileW(next.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file)
                return false;
            if (!WriteWhole(file.Get(), bytes) || !::FlushFileBuffers(file.Get())) {
                file.Reset();
                ::DeleteFileW(next.c_str());
                return false;
            }
        }
        for (int attempt = 0;; ++attempt) {
            if (::MoveFileExW(next.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return true;
            const DWORD error = ::GetLastError();
            if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == RenameAttempts) {
                ::DeleteFileW(next.c_str());
                return false;
            }
            ::Sleep(RenameRetryMs);
        }
    } catch (...) {
        return false;
    }
}

std::optional<std::string> ReadFileBytes(HANDLE file, std::size_t limit, DWORD& error)
{
    std::string bytes(limit + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(file, bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled), &read, nullptr)) {
            error = ::GetLastError();
            return std::nullopt;
        }
        if (read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}

}  // namespace vellumate
