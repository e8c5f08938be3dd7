// The folder list after changes it did not read: storage cards that come and
// go at the root, and the results of the file operations. Each brings the
// items, the selection, the counts and the tree (through the observer) up to
// date without reading the folder again.
#include "filemanager/FolderList.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FolderSort.h"
#include "filemanager/PreferenceBits.h"

#include <algorithm>
#include <vector>

int FolderList::PutEntry(const WIN32_FIND_DATAW& entry)
{
    // A name the list already shows (a file replaced by a copy or a received
    // file of the same name) keeps its row: a second row would show the same
    // file twice.
    int index = FindItemNoCase(entry.cFileName);
    if (index >= 0 && !(index == 0 && HasParentRow())) {
        FolderItem& item = Item(index);
        const bool wasFolder = item.IsFolder();
        item.name = entry.cFileName;
        item.sizeHigh = entry.nFileSizeHigh;
        item.sizeLow = entry.nFileSizeLow;
        item.lastWriteTime = entry.ftLastWriteTime;
        item.attributes = entry.dwFileAttributes;
        item.sizeText = String();
        if (item.IsFolder() != wasFolder) {
            item.typeName = String();
            item.iconIndex = -1;
            SetFolderCount(FolderCount() + (item.IsFolder() ? 1 : -1));
        }
        return index;
    }
    FolderItem& item = AppendItem(entry.cFileName, entry.dwFileAttributes);
    item.sizeHigh = entry.nFileSizeHigh;
    item.sizeLow = entry.nFileSizeLow;
    item.lastWriteTime = entry.ftLastWriteTime;
    if (item.IsFolder())
        SetFolderCount(FolderCount() + 1);
    return static_cast<int>(m_items.size()) - 1;
}

// ---- storage cards -----------------------------------------------------------

bool FolderList::InsertCardItem(const String& cardName)
{
    WaitForBackgroundRead();
    if (!IsRoot() || cardName.IsEmpty() || FindItemNoCase(cardName) >= 0)
        return false;
    SetFolderCount(FolderCount() + 1);
    if (m_preferences & PreferenceListFolders) {
        // In front of the first item whose name compares greater (at the end
        // when none does); the list is not sorted again, so the other rows
        // keep their order and the selection stays where it is.
        auto position = std::find_if(m_items.begin(), m_items.end(), [&](const FolderItem* item) {
            return CompareNamesNoCase(item->name, cardName) > 0;
        });
        FolderItem& item = NewItem(cardName, FILE_ATTRIBUTE_DIRECTORY);
        WIN32_FIND_DATAW entry;
        if (FindEntry(JoinPath(m_currentPath, cardName), entry))
            item.lastWriteTime = entry.ftLastWriteTime;
        m_items.insert(position, &item);
        RebuildSelection();
        SetTopRow(m_topRow);
    }
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
    return true;
}

bool FolderList::RemoveCardItem(const String& cardName)
{
    WaitForBackgroundRead();
    if (!IsRoot() || cardName.IsEmpty())
        return false;
    const int index = FindItemNoCase(cardName);
    if (index < 0) {
        // Not listed because folders are not: it was only counted.
        if (m_preferences & PreferenceListFolders)
            return false;
        SetFolderCount(FolderCount() - 1);
        PublishCounts();
        Notify([](FolderListObserver& o) { o.OnListChanged(); });
        return true;
    }
    SetFolderCount(FolderCount() - 1);
    RemoveRow(index);
    return true;
}

void FolderList::RemoveRow(int index)
{
    const bool wasSelected = Item(index).selected != 0;
    m_items.erase(m_items.begin() + index);
    RebuildSelection();
    if (wasSelected && m_selection.empty() && !m_items.empty())
        Select(std::max(index - 1, 0), true);
    SetTopRow(m_topRow);
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

// ---- file operations ---------------------------------------------------------

void FolderList::AddCreatedFolder(const String& name)
{
    WaitForBackgroundRead();
    if (name.IsEmpty())
        return;
    ClearSelection();
    WIN32_FIND_DATAW entry;
    int index;
    if (FindEntry(JoinPath(m_currentPath, name), entry)) {
        index = PutEntry(entry);
    } else {
        AppendItem(name, FILE_ATTRIBUTE_DIRECTORY);
        SetFolderCount(FolderCount() + 1);
        index = static_cast<int>(m_items.size()) - 1;
    }
    Select(index, true);
    m_topRow = 0;
    if (!FitsOnOnePage())
        SetTopRow(LastTop());
    ScrollToShow(index);
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
    const String parent = m_currentPath;
    Notify([&](FolderListObserver& o) { o.OnFolderAdded(parent, name); });
}

void FolderList::AddCreatedFile(const wchar_t* folder, const String& name)
{
    WaitForBackgroundRead();
    if (name.IsEmpty() || NormalizeFolderPath(folder).CompareNoCase(m_currentPath) != 0)
        return;
    WIN32_FIND_DATAW entry;
    if (!FindEntry(JoinPath(m_currentPath, name), entry))
        return;
    const int index = PutEntry(entry);
    SelectOnly(index);
    ScrollToShow(index);
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

void FolderList::AddPastedItems(const wchar_t* destination, const StringArray& names)
{
    WaitForBackgroundRead();
    const String target = NormalizeFolderPath(destination);
    const bool intoCurrent = target.CompareNoCase(m_currentPath) == 0;
    std::vector<int> pasted;
    for (const String& name : names) {
        WIN32_FIND_DATAW entry;
        if (name.IsEmpty() || !FindEntry(JoinPath(target, name), entry))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Notify([&](FolderListObserver& o) { o.OnFolderAdded(target, String(entry.cFileName)); });
        if (intoCurrent)
            pasted.push_back(PutEntry(entry));
    }
    if (pasted.empty())
        return;
    ClearSelection();
    for (int index : pasted)
        Select(index, true);
    SetTopRow(LastTop());
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

void FolderList::RemoveDeletedItems(const wchar_t* moveDestination)
{
    WaitForBackgroundRead();
    const String target = moveDestination ? NormalizeFolderPath(moveDestination) : String();
    // Removing by index would shift the items behind each removed one, and the
    // selection is in the order of selecting, not of the rows: mark the
    // items first, then drop the marked ones together.
    std::vector<char> gone(m_items.size(), 0);
    for (auto selected = m_selection.rbegin(); selected != m_selection.rend(); ++selected) {
        const int index = *selected;
        const FolderItem& item = Item(index);
        if (index == 0 && HasParentRow())
            continue;
        const String path = FullPath(index);
        if (EntryExists(path))
            continue;
        gone[static_cast<size_t>(index)] = 1;
        if (!item.IsFolder())
            continue;
        Notify([&](FolderListObserver& o) { o.OnFolderRemoved(path); });
        WIN32_FIND_DATAW entry;
        if (moveDestination && FindEntry(JoinPath(target, item.name), entry) &&
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Notify([&](FolderListObserver& o) { o.OnFolderAdded(target, item.name); });
    }

    ClearSelection();
    int foldersGone = 0;
    size_t kept = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (gone[i])
            foldersGone += m_items[i]->IsFolder() ? 1 : 0;
        else
            m_items[kept++] = m_items[i];
    }
    m_items.resize(kept);
    SetFolderCount(FolderCount() - foldersGone);
    PublishCounts();
    ResetScrollRange();
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

bool FolderList::RenameSelected(const String& newName)
{
    WaitForBackgroundRead();
    const int index = SingleSelectedIndex();
    if (index < 0 || (index == 0 && HasParentRow()) || newName.IsEmpty())
        return false;
    FolderItem& item = Item(index);
    const String oldPath = FullPath(index);
    item.name = newName;
    // A new extension may mean another type and icon.
    item.typeName = String();
    item.iconIndex = -1;
    if (item.IsFolder())
        Notify([&](FolderListObserver& o) { o.OnFolderRenamed(oldPath, newName); });
    Notify([&](FolderListObserver& o) { o.OnRowChanged(index); });
    return true;
}

bool FolderList::UpdateSelectedAttributes(DWORD attributes)
{
    WaitForBackgroundRead();
    const int index = SingleSelectedIndex();
    if (index < 0 || (index == 0 && HasParentRow()))
        return false;
    FolderItem& item = Item(index);
    // Whether it is a folder is the file system's to say, not the caller's.
    item.attributes = (attributes & ~FILE_ATTRIBUTE_DIRECTORY) | (item.attributes & FILE_ATTRIBUTE_DIRECTORY);
    // Folders are listed hidden or not, as a read lists them.
    if (item.IsFolder() || !((m_preferences & PreferenceHideHidden) && (item.attributes & FILE_ATTRIBUTE_HIDDEN))) {
        Notify([&](FolderListObserver& o) { o.OnRowChanged(index); });
        return false;
    }
    RemoveRow(index);
    return true;
}

void FolderList::FollowItemChange(const String& folder, const String& name, std::optional<DWORD> attributes,
                                  const String& newName)
{
    WaitForBackgroundRead();
    const FolderItem* item = SelectedItem();
    if (m_currentPath != folder || !item || item->name != name) {
        Refresh();
        return;
    }
    if (attributes && UpdateSelectedAttributes(*attributes))
        return;
    if (!newName.IsEmpty())
        RenameSelected(newName);
}
