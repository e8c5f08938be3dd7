// The programs the home screen offers: the shortcuts of the Start menu folder.
#pragma once

#include "platform/shell/Shortcut.h"

#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

struct StartMenuEntry {
    std::wstring name;           // the shortcut's file name without ".lnk"
    std::wstring shortcutPath;   // full path of the shortcut file
    ShortcutReadResult content;  // the parsed shortcut, or why it has none
};

// The Start menu folder of the handset whose root is the drive `drive`
// ("D:"; empty for the current drive).
std::wstring StartMenuFolder(std::wstring_view drive);

// The drive part ("D:") of an absolute path, or empty when it has none.
std::wstring DriveOf(std::wstring_view path);

// The ".lnk" files directly inside `folder`, sorted by name without regard to
// case. Sub-folders and other files are not programs and are left out. A
// missing folder lists nothing.
std::vector<StartMenuEntry> ListStartMenu(const std::wstring& folder);

}  // namespace vellumate
