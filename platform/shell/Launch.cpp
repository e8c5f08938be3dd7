#include "platform/shell/Launch.h"

#include "platform/Handles.h"

namespace vellumate {
namespace {

bool IsRooted(std::wstring_view path)
{
    return path.size() >= 1 && path[0] == L'\\' && !(path.size() >= 2 && path[1] == L'\\');
}

bool HasDriveOrShare(std::wstring_view path)
{
    return (path.size() >= 2 && path[1] == L':') || (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\');
}

bool IsBareName(std::wstring_view path)
{
    return path.find_first_of(L"\\/:") == std::wstring_view::npos;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

LaunchCommand BuildLaunchCommand(const Shortcut& shortcut, std::wstring_view drive)
{
    LaunchCommand command;
    const std::wstring& target = shortcut.target;
    if (IsRooted(target)) {
        command.applicationPath = std::wstring(drive) + target;
    } else if (HasDriveOrShare(target)) {
        command.applicationPath = target;
    } else if (IsBareName(target)) {
        const std::wstring inWindows = std::wstring(drive) + L"\\Windows\\" + target;
        if (FileExists(inWindows))
            command.applicationPath = inWindows;
    }
    const std::wstring& program = command.applicationPath.empty() ? target : command.applicationPath;
    command.commandLine = L"\"" + program + L"\"";
    if (!shortcut.arguments.empty())
        command.commandLine += L" " + shortcut.arguments;
    if (!drive.empty())
        command.currentDirectory = std::wstring(drive) + L"\\";
    return command;
}

DWORD StartProgram(const LaunchCommand& command, HANDLE* process)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = command.commandLine;
    const BOOL ok = ::CreateProcessW(command.applicationPath.empty() ? nullptr : command.applicationPath.c_str(),
                                     commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     command.currentDirectory.empty() ? nullptr : command.currentDirectory.c_str(),
                                     &startup, &started);
    if (!ok)
        return ::GetLastError();
    KernelHandle ownProcess(started.hProcess);
    KernelHandle thread(started.hThread);
    // The new program's first window should come to the front.
    ::AllowSetForegroundWindow(started.dwProcessId);
    if (process)
        *process = ownProcess.Release();
    return ERROR_SUCCESS;
}

}  // namespace vellumate
