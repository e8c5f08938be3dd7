// The folder chooser and DeletePath as the find dialogs call them. Both
// belong to the copy, move and delete operations, which are made alongside;
// until they join this tree, FindStandIns.cpp holds small versions of its
// own: the chooser offers nothing to choose, and DeletePath deletes plainly.
// When the real ones arrive, this header and that file give way to theirs.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <optional>

// What the folder chooser is choosing for; its caption follows from it.
enum class ChooserMode { Copy, Move, Find, Extract };

// Lets the user pick a folder, starting from `shownPath`; the handset path
// chosen, or nothing when the user cancels.
std::optional<String> ChooseFolder(HWND owner, ChooserMode mode, const String& shownPath);

// Deletes the file, or the folder with everything in it, at the handset path.
// A read-only file is made writable for a second attempt. With an owner, a
// failure is reported (string 43149 for a file, 43150 for a folder); the
// first failure ends the deletion. True when it is gone.
bool DeletePath(const String& path, HWND owner);
