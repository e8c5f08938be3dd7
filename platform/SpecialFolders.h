// The handset's special folders, as paths of its own file system ("\My
// Documents", "\Windows\Start Menu", ...). The CSIDL numbers are the
// handset's, which <shlobj.h> shares.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string_view>

namespace handset {

// Writes the folder's handset path into lpszPath, a buffer of at least
// MAX_PATH characters. With fCreate (or CSIDL_FLAG_CREATE in nFolder) a
// missing folder is created in the device. FALSE for a folder the handset
// does not have. The desktop headers make this name SHGetSpecialFolderPathW;
// callers may use either spelling.
BOOL SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder, BOOL fCreate);

}  // namespace handset

namespace vellumate {

// The handset path of a special folder (without CSIDL flags), or nothing.
std::optional<std::wstring_view> SpecialFolderPath(int csidl) noexcept;

}  // namespace vellumate
