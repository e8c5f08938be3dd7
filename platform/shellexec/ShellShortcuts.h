// The shell's shortcut functions of the handset: making a shortcut file
// (".lnk" in the handset's own format, platform/shell/Shortcut.h) and asking
// one for its target. Paths are handset paths.
#pragma once

#include <windows.h>

namespace handset {

// Makes the shortcut szShortcut to szTarget, the target path (in quotation
// marks when it holds blanks) followed by any arguments, at most 256
// characters. FALSE with the last error set when an argument is missing or
// names no program (ERROR_INVALID_PARAMETER), the shortcut already exists
// (ERROR_FILE_EXISTS) or the file cannot be written; a shortcut that cannot
// be written whole is not left behind. Declared DWORD as on the handset; it
// answers TRUE or FALSE.
DWORD SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget);

// Copies the target path of the shortcut szShortcut (without quotation marks
// or arguments) into szTarget, which holds cbMax characters. FALSE with the
// last error set when the shortcut cannot be read (ERROR_FILE_NOT_FOUND), is
// damaged (ERROR_BAD_FORMAT) or its target does not fit
// (ERROR_INSUFFICIENT_BUFFER).
BOOL SHGetShortcutTarget(LPWSTR szShortcut, LPWSTR szTarget, int cbMax);

}  // namespace handset
