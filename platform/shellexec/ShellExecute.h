// Shell execution of handset paths: what the handset's shell does when a
// program opens a file, and starting a program the way the handset does.
//
// Associations live in the handset's registry under the classes root: the
// extension's key names its class in the value "Default", and the class's
// key "shell\open\command" holds the command, "%1" standing for the file.
// Programs named by a command, a shortcut or a caller are handset paths; they
// start inside the session on the device's drive, with the device root as
// their current folder, and get handset paths as their arguments.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>

namespace handset {

// Opens lpFile (a handset path) with the verb "open" (or none): a program
// starts with lpParameters, a shortcut (".lnk") is followed to its target,
// any other file starts the program its extension is associated with. FALSE
// with the last error and hInstApp set when the file is not there
// (SE_ERR_FNF), has no association (SE_ERR_NOASSOC), names a shortcut that
// cannot be followed, or its program cannot be started. With
// SEE_MASK_NOCLOSEPROCESS hProcess is the started program (the caller
// closes it).
BOOL ShellExecuteEx(SHELLEXECUTEINFOW* info);

// Starts the program pszImageName (a handset path, or a bare name found in
// "\Windows") with pszCmdLine as its arguments, as the handset's
// CreateProcess does: the command line holds the arguments only. The
// security, inheritance, environment, folder and start-up parameters are
// ignored, as on the handset; lpProcessInformation, when given, receives
// handles the caller closes.
BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES psaProcess,
                    LPSECURITY_ATTRIBUTES psaThread, BOOL fInheritHandles, DWORD fdwCreate, LPVOID pvEnvironment,
                    LPWSTR pszCurDir, LPSTARTUPINFOW psiStartInfo, LPPROCESS_INFORMATION lpProcessInformation);

}  // namespace handset

namespace vellumate {

// The open command of an extension (".txt", with its dot) under `classesRoot`;
// nothing when the extension has no class or the class no command.
std::optional<std::wstring> OpenCommandOf(std::wstring_view extension, HKEY classesRoot = HKEY_CLASSES_ROOT);

// The command with "%1" replaced by `file`; without a "%1" the file is added
// at the end, as the desktop's shell does.
std::wstring FillInFile(std::wstring_view command, std::wstring_view file);

}  // namespace vellumate
