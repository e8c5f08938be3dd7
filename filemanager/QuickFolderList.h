// The entries of the quick-folders dialog: the recent folders, then the
// well-known folders of the device and of each storage card, each only when
// the folder exists. No window code.
#pragma once

#include "framework/String.h"
#include "framework/StringArray.h"

#include <functional>
#include <vector>

class RecentFolders;

struct QuickFolder {
    String path;     // a handset path ("\My Documents")
    int number = 0;  // 1, 2, ... for the recent folders that are shown; 0 for the others
};

// Whether a handset path names an existing folder.
using FolderExists = std::function<bool(const String& path)>;

// The recent folders (oldest first, numbered by their place among those
// shown), "\My Documents", "\Windows", "\Windows\Temporary Internet Files",
// and for each card its seven well-known folders, in that order.
std::vector<QuickFolder> CollectQuickFolders(const RecentFolders& recent, const StringArray& cards,
                                             const FolderExists& exists);
// The default test: the path is an existing folder of the device.
bool IsExistingFolder(const String& path);

// The row text: the folder's own name, "%d. " in front for a recent folder.
String QuickFolderRowText(const QuickFolder& folder);
// The parent path shown below the list: the path up to and including its last "\".
String QuickFolderParentText(const QuickFolder& folder);
