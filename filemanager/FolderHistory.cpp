#include "filemanager/FolderHistory.h"

#include <algorithm>

void PositionMemo::Remember(const String& folderName, int topRow)
{
    auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.folderName == folderName; });
    if (entry != m_entries.end())
        entry->topRow = topRow;
    else
        m_entries.push_back({folderName, topRow});
}

std::optional<int> PositionMemo::Take(const String& folderName)
{
    auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) { return e.folderName == folderName; });
    if (entry == m_entries.end())
        return std::nullopt;
    int topRow = entry->topRow;
    m_entries.erase(entry);
    return topRow;
}

bool RecentFolders::Add(const String& path)
{
    if (path.IsEmpty())
        return false;
    for (const String& known : m_paths)
        if (known.CompareNoCase(path) == 0)
            return false;
    if (m_paths.GetSize() >= Capacity)
        m_paths.RemoveAt(0);
    m_paths.Add(path);
    return true;
}
