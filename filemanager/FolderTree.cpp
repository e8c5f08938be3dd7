#include "filemanager/FolderTree.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderFilter.h"
#include "framework/Paths.h"

#include "platform/Handles.h"

#include <windows.h>

namespace {

bool IsSubfolderEntry(const WIN32_FIND_DATAW& entry) noexcept
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDotEntry(entry.cFileName);
}

// The enumeration records of the folder's subfolders, in the file system's
// order; with `firstOnly`, at most one.
std::vector<WIN32_FIND_DATAW> SubfolderEntries(const wchar_t* folder, bool firstOnly)
{
    std::vector<WIN32_FIND_DATAW> folders;
    WIN32_FIND_DATAW entry;
    vellumate::FindHandle find(FindFirstFileW(FindPatternOf(folder), &entry));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileW(find.Get(), &entry) != FALSE) {
        if (!IsSubfolderEntry(entry))
            continue;
        folders.push_back(entry);
        if (firstOnly)
            break;
    }
    return folders;
}

// What the tree needs to tell the folders of one parent apart: the storage
// cards and the main store, which only the root's folders can be.
class FolderKinds {
public:
    explicit FolderKinds(const wchar_t* parentPath) : m_root(NormalizeFolderPath(parentPath).IsEmpty())
    {
        if (!m_root)
            return;
        ListStorageCards(m_cards);
        // The mounted store that holds the personal folder, when that lies in
        // a folder of the root.
        const String holder = ParentPath(PersonalFolderPath());
        if (ParentPath(holder).IsEmpty())
            m_mainStore = LastComponent(holder);
    }

    TreeFolderKind KindOf(const WIN32_FIND_DATAW& entry) const
    {
        if (!m_root)
            return TreeFolderKind::Folder;
        // A storage card is a mounted store: the card enumeration reports its
        // folder with the directory and temporary attributes.
        DWORD attributes = entry.dwFileAttributes;
        const bool card = IsCard(entry.cFileName);
        if (card)
            attributes |= FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
        constexpr DWORD Mounted = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
        if ((attributes & Mounted) != Mounted)
            return TreeFolderKind::Folder;
        if (!m_mainStore.IsEmpty() && m_mainStore.CompareNoCase(entry.cFileName) == 0)
            return TreeFolderKind::MainStore;
        return card ? TreeFolderKind::Card : TreeFolderKind::Folder;
    }

private:
    bool IsCard(const wchar_t* name) const
    {
        for (const String& card : m_cards)
            if (card.CompareNoCase(name) == 0)
                return true;
        return false;
    }

    bool m_root;
    StringArray m_cards;
    String m_mainStore;
};

TreeFolder MakeTreeFolder(const wchar_t* parentPath, const WIN32_FIND_DATAW& entry, const FolderKinds& kinds)
{
    TreeFolder folder;
    folder.name = entry.cFileName;
    folder.hasSubfolders = HasSubfolder(JoinPath(parentPath, entry.cFileName));
    folder.kind = kinds.KindOf(entry);
    return folder;
}

}  // namespace

bool HasSubfolder(const wchar_t* folder)
{
    return !SubfolderEntries(folder, true).empty();
}

std::vector<TreeFolder> ReadSubfolders(const wchar_t* folder)
{
    const FolderKinds kinds(folder);
    std::vector<TreeFolder> folders;
    for (const WIN32_FIND_DATAW& entry : SubfolderEntries(folder, false))
        folders.push_back(MakeTreeFolder(folder, entry, kinds));
    return folders;
}

std::optional<TreeFolder> ReadSubfolder(const wchar_t* parentPath, const wchar_t* name)
{
    WIN32_FIND_DATAW entry;
    if (!FindEntry(JoinPath(parentPath, name), entry) || !IsSubfolderEntry(entry))
        return std::nullopt;
    return MakeTreeFolder(parentPath, entry, FolderKinds(parentPath));
}

String NearestExistingFolder(const wchar_t* path)
{
    String folder = NormalizeFolderPath(path);
    while (!folder.IsEmpty() && !EntryExists(folder))
        folder = ParentPath(folder);
    return folder;
}

std::vector<String> PathComponents(const wchar_t* path)
{
    std::vector<String> components;
    const String folder = NormalizeFolderPath(path);
    for (int start = 0; start < folder.Length();) {
        int end = folder.Find(L'\\', start);
        if (end < 0)
            end = folder.Length();
        if (end > start)
            components.push_back(folder.Mid(start, end - start));
        start = end + 1;
    }
    return components;
}

bool IsSameOrInside(const String& path, const String& folder)
{
    if (path.Length() < folder.Length() || path.Left(folder.Length()).CompareNoCase(folder) != 0)
        return false;
    return path.Length() == folder.Length() || path[folder.Length()] == L'\\';
}
