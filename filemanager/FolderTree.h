// The file-system side of the folder tree: the subfolders that become a
// node's children, which folders of the root are storage cards or the main
// store, and how a path splits into the names of its nodes. No window code:
// the tree pane (TreePane.h) makes nodes of what this reads.
#pragma once

#include "framework/String.h"

#include <optional>
#include <vector>

// What a folder is to the tree, for its picture. Only folders of the root are
// ever a store or a card.
enum class TreeFolderKind { Folder, MainStore, Card };

// A subfolder as the tree shows it.
struct TreeFolder {
    String name;
    bool hasSubfolders = false;  // the node gets an expand button
    TreeFolderKind kind = TreeFolderKind::Folder;
};

// Whether the folder has at least one subfolder ("." and ".." aside).
bool HasSubfolder(const wchar_t* folder);

// The subfolders of `folder`, in the file system's order, from one listing
// and, at the root, one card list.
std::vector<TreeFolder> ReadSubfolders(const wchar_t* folder);

// The subfolder `name` of `parentPath`; nothing when it does not exist or is
// a file.
std::optional<TreeFolder> ReadSubfolder(const wchar_t* parentPath, const wchar_t* name);

// `path` when that folder exists, else its nearest existing ancestor (the
// root at the latest).
String NearestExistingFolder(const wchar_t* path);

// The names of a path's folders, from the root down ("\A\B" gives A and B).
std::vector<String> PathComponents(const wchar_t* path);

// Whether `path` is `folder` or lies inside it (without regard to case).
bool IsSameOrInside(const String& path, const String& folder);
