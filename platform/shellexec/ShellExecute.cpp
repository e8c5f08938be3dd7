#include "platform/shellexec/ShellExecute.h"

#include "platform/DevicePaths.h"
#include "platform/shell/Launch.h"
#include "platform/shell/Shortcut.h"

namespace vellumate {
namespace {

// A shortcut may name another shortcut; a chain this long is a loop.
constexpr int MaxShortcutHops = 8;

// The text after the last "." of the path's last component, with its dot;
// empty when the name has none.
std::wstring_view ExtensionOf(std::wstring_view path) noexcept
{
    const std::size_t nameStart = path.find_last_of(L"\\/");
    const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

bool IsExtension(std::wstring_view path, const wchar_t* extension) noexcept
{
    const std::wstring_view own = ExtensionOf(path);
    return !own.empty() &&
           ::CompareStringOrdinal(own.data(), static_cast<int>(own.size()), extension, -1, TRUE) == CSTR_EQUAL;
}

bool IsFile(const std::wstring& path) noexcept
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The device's drive as BuildLaunchCommand takes it: the root without its
// final separator ("D:" in a session).
std::wstring DeviceDrive()
{
    std::wstring root = DeviceRoot();
    while (!root.empty() && (root.back() == L'\\' || root.back() == L'/'))
        root.pop_back();
    return root;
}

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* value)
{
    DWORD bytes = 0;
    if (::RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

struct Outcome {
    DWORD error = ERROR_SUCCESS;
    INT_PTR shellCode = 33;  // above 32: success
};

Outcome Failure(DWORD error, INT_PTR shellCode) noexcept
{
    return {error, shellCode};
}

Outcome Start(const Shortcut& program, HANDLE* process)
{
    const DWORD error = StartProgram(BuildLaunchCommand(program, DeviceDrive()), process);
    if (error == ERROR_SUCCESS)
        return {};
    return Failure(error, error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SE_ERR_FNF : SE_ERR_NOASSOC);
}

Outcome Open(const std::wstring& file, const std::wstring& parameters, HANDLE* process, int hops)
{
    // A bare program name ("tmail.exe") is found where the handset finds
    // programs.
    if (IsExtension(file, L".exe") && file.find_first_of(L"\\/:") == std::wstring::npos)
        return Start({file, parameters}, process);
    if (file.empty() || !IsFile(ToDevicePath(file)))
        return Failure(ERROR_FILE_NOT_FOUND, SE_ERR_FNF);
    if (IsExtension(file, L".exe"))
        return Start({file, parameters}, process);
    if (IsExtension(file, L".lnk")) {
        if (hops >= MaxShortcutHops)
            return Failure(ERROR_CANT_RESOLVE_FILENAME, SE_ERR_FNF);
        const ShortcutReadResult read = ReadShortcutFile(ToDevicePath(file));
        if (!read.shortcut)
            return Failure(read.error == ShortcutError::Unreadable ? ERROR_FILE_NOT_FOUND : ERROR_BAD_FORMAT,
                           SE_ERR_FNF);
        const Shortcut& target = *read.shortcut;
        // A shortcut to a document opens the document; one to a program,
        // or to a bare name the handset finds, starts it.
        if (!IsExtension(target.target, L".exe") && IsFile(ToDevicePath(target.target)))
            return Open(target.target, target.arguments, process, hops + 1);
        return Start(target, process);
    }
    const std::optional<std::wstring> command = OpenCommandOf(ExtensionOf(file));
    if (!command)
        return Failure(ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC);
    const std::optional<Shortcut> program = ParseCommand(FillInFile(*command, file));
    if (!program)
        return Failure(ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC);
    return Start(*program, process);
}

}  // namespace

std::optional<std::wstring> OpenCommandOf(std::wstring_view extension, HKEY classesRoot)
{
    if (extension.empty())
        return std::nullopt;
    const std::optional<std::wstring> className = ReadText(classesRoot, std::wstring(extension), L"Default");
    if (!className || className->empty())
        return std::nullopt;
    std::optional<std::wstring> command = ReadText(classesRoot, *className + L"\\shell\\open\\command", nullptr);
    if (!command || command->find_first_not_of(L" \t") == std::wstring::npos)
        return std::nullopt;
    return command;
}

std::wstring FillInFile(std::wstring_view command, std::wstring_view file)
{
    std::wstring filled;
    bool placed = false;
    for (std::size_t at = 0; at < command.size(); ++at) {
        if (command[at] == L'%' && at + 1 < command.size() && command[at + 1] == L'1') {
            filled += file;
            placed = true;
            ++at;
        } else {
            filled += command[at];
        }
    }
    if (!placed) {
        filled += L' ';
        filled += file;
    }
    return filled;
}

}  // namespace vellumate

namespace handset {

BOOL ShellExecuteEx(SHELLEXECUTEINFOW* info)
{
    using namespace vellumate;
    if (!info || info->cbSize != sizeof *info) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    info->hProcess = nullptr;
    const bool wantProcess = (info->fMask & SEE_MASK_NOCLOSEPROCESS) != 0;
    Outcome outcome;
    if (info->lpVerb && *info->lpVerb && ::lstrcmpiW(info->lpVerb, L"open") != 0) {
        // The handset's shell knows no other verb.
        outcome = Failure(ERROR_NO_ASSOCIATION, SE_ERR_NOASSOC);
    } else {
        HANDLE process = nullptr;
        outcome = Open(info->lpFile ? info->lpFile : L"", info->lpParameters ? info->lpParameters : L"", &process, 0);
        if (process && wantProcess)
            info->hProcess = process;
        else if (process)
            ::CloseHandle(process);
    }
    info->hInstApp = reinterpret_cast<HINSTANCE>(outcome.shellCode);
    if (outcome.error != ERROR_SUCCESS) {
        ::SetLastError(outcome.error);
        return FALSE;
    }
    return TRUE;
}

BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                    LPVOID, LPWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION lpProcessInformation)
{
    using namespace vellumate;
    if (!pszImageName || !*pszImageName) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HANDLE process = nullptr;
    const DWORD error =
        StartProgram(BuildLaunchCommand({pszImageName, pszCmdLine ? pszCmdLine : L""}, DeviceDrive()), &process);
    if (error != ERROR_SUCCESS) {
        ::SetLastError(error);
        return FALSE;
    }
    if (lpProcessInformation) {
        *lpProcessInformation = {};
        lpProcessInformation->hProcess = process;
        lpProcessInformation->dwProcessId = ::GetProcessId(process);
    } else {
        ::CloseHandle(process);
    }
    return TRUE;
}

}  // namespace handset
