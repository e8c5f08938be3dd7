// What the folder trees (the tree pane and the folder chooser) share: the
// node pictures of bitmap 108 and the way a folder becomes a node.
#pragma once

#include "filemanager/FolderTree.h"

#include <windows.h>

#include <commctrl.h>

// The node images of bitmap 108.
enum TreeNodeImage {
    RootNodeImage = 0,
    FolderNodeImage = 1,
    OpenFolderNodeImage = 2,
    StoreNodeImage = 3,
    CardNodeImage = 4
};

// The five 16 x 16 node images from the program's bitmap 108 (the list is
// empty when the bitmap cannot be loaded); null when no list can be made.
// The caller destroys it.
HIMAGELIST LoadTreeImages();

// The device's node at the top of the tree, with an expand button when the
// device root has subfolders.
HTREEITEM InsertRootNode(HWND tree, const wchar_t* text, bool hasSubfolders);

// A node for `folder`, sorted in below `parent`, with the picture of its
// kind and an expand button when it has subfolders.
HTREEITEM InsertFolderNode(HWND tree, HTREEITEM parent, const TreeFolder& folder);
