// The executable a process runs, as a path of the handset ("\Program
// Files\Vellumate\obrel.exe"): what the task manager identifies an
// application by.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vellumate {

// The Win32 path of a file as the handset names it: "\" and the path below
// the device root, without a drive. A path outside the device is returned as
// it is.
std::wstring HandsetPathOf(std::wstring_view win32Path);

// The full path of the executable of process `processId`, as a handset path;
// nothing when the process is gone or cannot be asked.
std::optional<std::wstring> ProcessImageHandsetPath(DWORD processId);

}  // namespace vellumate
