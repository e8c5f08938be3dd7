// Starting the program a shortcut names.
#pragma once

#include "platform/shell/Shortcut.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace vellumate {

struct LaunchCommand {
    std::wstring applicationPath;   // empty: let CreateProcess search for the program
    std::wstring commandLine;       // the program in quotation marks, then the arguments
    std::wstring currentDirectory;  // the device root ("D:\"), so that "\My Documents" resolves
};

// Handset paths have no drive: a target rooted at "\" lives on `drive` (the
// device's drive, "D:"). A bare program name is looked for in the device's
// "\Windows" folder first, as on the handset, then on the search path.
LaunchCommand BuildLaunchCommand(const Shortcut& shortcut, std::wstring_view drive);

// Starts the program; ERROR_SUCCESS or the Win32 error of the failure. With
// `process` the caller gets the new process's handle (and closes it).
DWORD StartProgram(const LaunchCommand& command, HANDLE* process = nullptr);

}  // namespace vellumate
