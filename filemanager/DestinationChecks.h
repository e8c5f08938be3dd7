// The checks a destination folder of a copy or move must pass before
// anything is copied: it exists, it is not one of the folders copied nor
// inside one of them, and a move does not go into the folder that holds the
// items already. Handset paths (DeviceFiles.h).
#pragma once

#include "framework/String.h"

#include <vector>

enum class DestinationProblem {
    None,
    Missing,       // the destination does not exist
    SameAsSource,  // it is a folder being copied
    InsideSource,  // it lies inside a folder being copied
    AlreadyThere,  // a move into the folder that holds the items
};

// The list pane: `folderNames` are the selected folders of `currentFolder`.
DestinationProblem CheckListDestination(const String& currentFolder, const std::vector<String>& folderNames,
                                        const String& destination, bool move);

// The tree pane: the one item is the folder `treeFolder` itself.
DestinationProblem CheckTreeDestination(const String& treeFolder, const String& destination, bool move);

// The resource string that tells the user about a problem; 0 for None.
unsigned MessageOf(DestinationProblem problem) noexcept;
