#include "platform/shellexec/ShellShortcuts.h"

#include "platform/DevicePaths.h"
#include "platform/Handles.h"
#include "platform/shell/Shortcut.h"

#include <cwchar>
#include <string>

namespace handset {
namespace {

// The handset's shell takes no longer target.
constexpr std::size_t MaxTargetLength = 256;

BOOL Fail(DWORD error) noexcept
{
    ::SetLastError(error);
    return FALSE;
}

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                              nullptr);
    return bytes;
}

}  // namespace

DWORD SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget)
{
    if (!szShortcut || !*szShortcut || !szTarget || std::wcslen(szTarget) > MaxTargetLength)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::optional<vellumate::Shortcut> target = vellumate::ParseCommand(szTarget);
    if (!target)
        return Fail(ERROR_INVALID_PARAMETER);

    const std::wstring path = vellumate::ToDevicePath(szShortcut);
    const std::string bytes = ToUtf8(vellumate::FormatShortcut(*target));
    // CREATE_NEW: an existing shortcut is never replaced.
    vellumate::FileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return FALSE;
    DWORD written = 0;
    const bool whole = ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                       written == bytes.size() && ::FlushFileBuffers(file.Get());
    if (whole)
        return TRUE;
    const DWORD error = ::GetLastError();
    file.Reset();
    ::DeleteFileW(path.c_str());
    return Fail(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
}

BOOL SHGetShortcutTarget(LPWSTR szShortcut, LPWSTR szTarget, int cbMax)
{
    if (!szShortcut || !szTarget || cbMax <= 0)
        return Fail(ERROR_INVALID_PARAMETER);
    szTarget[0] = L'\0';
    const vellumate::ShortcutReadResult read = vellumate::ReadShortcutFile(vellumate::ToDevicePath(szShortcut));
    if (!read.shortcut)
        return Fail(read.error == vellumate::ShortcutError::Unreadable ? ERROR_FILE_NOT_FOUND : ERROR_BAD_FORMAT);
    const std::wstring& target = read.shortcut->target;
    if (target.size() >= static_cast<std::size_t>(cbMax))
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    target.copy(szTarget, target.size());
    szTarget[target.size()] = L'\0';
    return TRUE;
}

}  // namespace handset
