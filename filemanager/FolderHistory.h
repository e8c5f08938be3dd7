// The user's way through the folders: where the list stood in a folder that
// was left downwards (to restore it on the way back up), and the folders
// visited recently (offered by the quick folders).
#pragma once

#include "framework/String.h"
#include "framework/StringArray.h"

#include <optional>
#include <vector>

// Folder name -> the top row the list had when the user entered that folder.
class PositionMemo {
public:
    // Records (or updates) the entry of `folderName`; names compare exactly.
    void Remember(const String& folderName, int topRow);
    // The remembered top row of `folderName`, removing the entry: an entry is
    // used once. Nothing when there is none.
    std::optional<int> Take(const String& folderName);
    void Clear() noexcept { m_entries.clear(); }
    int Count() const noexcept { return static_cast<int>(m_entries.size()); }

private:
    struct Entry {
        String folderName;
        int topRow;
    };
    std::vector<Entry> m_entries;
};

// Up to nine folder paths, oldest first.
class RecentFolders {
public:
    static constexpr int Capacity = 9;

    // Adds `path` unless it is the root (empty) or already present (compared
    // without regard to case, as the file system names them); when the list is
    // full, the oldest path goes first. True when the path was added.
    bool Add(const String& path);
    int Count() const noexcept { return m_paths.GetSize(); }
    const String& At(int index) const noexcept { return m_paths[index]; }
    const StringArray& Paths() const noexcept { return m_paths; }
    void Clear() { m_paths.RemoveAll(); }

private:
    StringArray m_paths;
};
