// The folder list: the model behind Tarnwell's list pane. It holds the
// current folder's path and its items, reads and sorts them, keeps the
// selection, the scroll position and the rows per page, remembers the user's
// way through the folders, follows storage cards and file operations, and
// tells the windows what changed through a FolderListObserver. It owns no
// window and makes no window call.
//
// Paths are handset paths (DeviceFiles.h): the device root is "", any other
// folder "\A\B"; an item's path is the folder's path, "\" and its name.
//
// Threads. Everything runs on the user-interface thread except one folder
// read at a time, started by the tree pane with StartBackgroundRead. The
// listing flag is the only signal between the two: clearing it
// (StopListing) makes the running read stop after its current entry. While a
// background read runs, the user-interface thread may call IsListing,
// StopListing, StartBackgroundRead (which then refuses), ItemCount,
// FolderCount, FileCount and CurrentPath. Every operation that changes the
// items, their order or the selection first waits for the read to end
// (ReadFolder, Refresh and GoUp stop it first), and the list pane is only
// shown after EnsureSorted, so no window ever walks a list that is being
// filled. The user-interface thread never waits for anything else, so an
// observer that only invalidates or posts cannot deadlock with the reader.
#pragma once

#include "filemanager/FolderHistory.h"
#include "filemanager/FolderItem.h"
#include "filemanager/FolderSort.h"
#include "framework/String.h"
#include "framework/StringArray.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

// What the windows hear from the list. Every event has an empty default, so
// an observer overrides what it needs. Events of ReadFolder arrive on the
// thread that reads: during a background read that is the worker thread,
// where an observer must only invalidate windows or post messages (so
// OnIconsCleared there posts, and the image list is emptied when the message
// arrives; no row is painted before EnsureSorted anyway).
class FolderListObserver {
public:
    virtual ~FolderListObserver() = default;

    // A folder read begins and ends: show and restore the wait cursor.
    virtual void OnReadStarted() {}
    virtual void OnReadFinished() {}
    // The items were let go: empty the list pane's image list (every item's
    // iconIndex is -1 again).
    virtual void OnIconsCleared() {}
    // The number of items or the top row changed: set the list's scroll bar
    // again from ItemCount, RowsPerPage and TopRow (which the list has already
    // set: 0 after a read).
    virtual void OnScrollRangeReset() {}
    // Items, their order, the selection or the top row changed: repaint the
    // list and the main window's header and footer strips.
    virtual void OnListChanged() {}
    // Only the row of this item changed (a rename): repaint that row.
    virtual void OnRowChanged(int index) {}
    // Refresh is about to re-read the current folder: re-read the folder tree
    // first. The tree may set a new current path (SetCurrentPath) when the
    // current folder is gone; Refresh reads whatever is current afterwards.
    virtual void OnTreeRefresh() {}
    // A folder `name` now exists in `parentPath` (created, pasted, moved
    // there): the tree adds a node for it under the parent's node, when that
    // node exists and the folder has none yet.
    virtual void OnFolderAdded(const String& parentPath, const String& name) {}
    // The folder at `path` is gone (deleted or moved away): the tree removes
    // its node.
    virtual void OnFolderRemoved(const String& path) {}
    // The folder at `oldPath` is now called `newName`: its tree node takes the
    // new name.
    virtual void OnFolderRenamed(const String& oldPath, const String& newName) {}
};

// The type description of a file or folder, by handset path. The list fills
// an item's typeName through it at the first sort by type.
using TypeNameProvider = std::function<String(const String& handsetPath)>;

class FolderList {
public:
    FolderList();
    // Stops a background read and waits for it.
    ~FolderList();
    FolderList(const FolderList&) = delete;
    FolderList& operator=(const FolderList&) = delete;

    // ---- collaborators and settings ---------------------------------------

    // The observer (null: none). Not owned; it must outlive the list or be
    // replaced first.
    void SetObserver(FolderListObserver* observer) noexcept;
    // Where type names come from; an empty provider restores the shell's
    // (ShellTypeName).
    void SetTypeNameProvider(TypeNameProvider provider);
    // The type names of files are asked once per extension and kept; after an
    // association changed, forget them (Refresh does too).
    void ForgetTypeNames();

    // The preference word (PreferenceBits.h); the next read filters by it.
    void SetPreferences(DWORD preferences) noexcept;
    DWORD Preferences() const noexcept { return m_preferences; }

    // The sort state word (FolderSort.h), as loaded at start and saved at exit.
    // Setting it does not sort.
    void SetSortState(DWORD state) noexcept { m_sortState = state; }
    DWORD SortState() const noexcept { return m_sortState; }
    // The sort commands: set the key (name, size, date, type) or the
    // direction, then sort at once.
    void SetSortKey(SortKey key);
    void SetSortDescending(bool descending);

    // ---- the current folder -----------------------------------------------

    // The folder whose items the list holds (the tree owns the notion of the
    // current folder and copies it here).
    const String& CurrentPath() const noexcept { return m_currentPath; }
    // Sets the current path (normalized: no trailing "\", "\" is the root)
    // without reading it.
    void SetCurrentPath(const wchar_t* path);
    bool IsRoot() const noexcept { return m_currentPath.IsEmpty(); }

    // ---- reading and sorting ----------------------------------------------

    // Replaces the items by the contents of `path`, which becomes the current
    // path: ".." first outside the root, then every listed entry in the file
    // system's order, unsorted. The item named exactly `nameToSelect` (null or
    // empty: none) is selected. A folder that cannot be read (gone, or a path
    // too long) shows as empty. Waits for a background read to stop first.
    void ReadFolder(const wchar_t* path, const wchar_t* nameToSelect);
    // Sorts by the sort state (".." stays first), rebuilds the selection from
    // the items, repaints. A sort by type first fills the files' typeName
    // (folders keep theirs empty: they are ordered by name whatever their
    // type).
    void SortItems();
    // Sorts once after each read; with items but nothing selected, selects
    // the first item.
    void EnsureSorted();
    // Re-reads the current folder (after OnTreeRefresh), sorts, selects the
    // first item (the selection is not kept).
    void Refresh();
    bool IsSorted() const noexcept { return m_sorted; }

    // ---- the tree-mode read on a worker thread ----------------------------

    // Whether a folder is being read.
    bool IsListing() const noexcept { return m_listing.load(); }
    // Clears the listing flag: a running read stops after its current entry,
    // keeping the items read so far. Callable from any thread.
    void StopListing() noexcept { m_listing.store(false); }
    // Makes `path` current, empties the position memo and starts reading it
    // on a worker thread with nothing to select. False, and the list
    // unchanged, when a read is still running (clear it with StopListing and
    // try again at the next tick) or the thread cannot be started. A finished
    // read's thread is joined first.
    bool StartBackgroundRead(const wchar_t* path);
    // Waits until a background read (if any) has ended.
    void WaitForBackgroundRead();

    // ---- items --------------------------------------------------------------

    // The number of items, ".." included. Safe on any thread; during a
    // background read it tells the items of the last finished read step.
    int ItemCount() const noexcept { return m_itemCount.load(); }
    FolderItem& Item(int index) noexcept { return *m_items[static_cast<size_t>(index)]; }
    const FolderItem& Item(int index) const noexcept { return *m_items[static_cast<size_t>(index)]; }
    // Whether item 0 is the ".." row (every folder but the root has one).
    bool HasParentRow() const noexcept;
    // The item's handset path: current path, "\" and its name.
    String FullPath(int index) const;
    // Whose icon the row shows: the personal folder's for "..", else the
    // item's own path (a handset path; map it with ToFileSystemPath).
    String IconPath(int index) const;
    // The item's size text (short units, 4 digits, divisor 1024), made at the
    // first call and kept in the item. Empty for folders.
    const String& SizeText(int index);
    // Subfolders met by the last read (listed or not), kept up to date by the
    // incremental updates. Safe on any thread.
    int FolderCount() const noexcept { return m_folderCount.load(); }
    // The listed files (items that are neither folders nor ".."). Safe on any
    // thread.
    int FileCount() const noexcept { return m_fileCount.load(); }

    // ---- scrolling (the list pane sets the rows per page) -----------------

    // List window height / 20, set when the window is created.
    void SetRowsPerPage(int rows) noexcept;
    int RowsPerPage() const noexcept { return m_rowsPerPage; }
    // The item shown in the first visible row.
    int TopRow() const noexcept { return m_topRow; }
    // Clamped: 0 when all items fit on a page or `row` is negative, else at
    // most item count - rows per page. No event.
    void SetTopRow(int row) noexcept;
    // The highest index scrolling may reach: item count - 1 when the items do
    // not fit on one page, else 0.
    int LastTop() const noexcept;
    bool FitsOnOnePage() const noexcept { return ItemCount() <= m_rowsPerPage; }

    // ---- selection ----------------------------------------------------------

    // Selects or deselects one item: its selected field and the selection
    // list change together (a newly selected item goes last). No event.
    void Select(int index, bool selected);
    void ClearSelection() noexcept;
    // Clears the selection and selects `index`.
    void SelectOnly(int index);
    int SelectedCount() const noexcept { return static_cast<int>(m_selection.size()); }
    // The index of the n-th selected item, in the order of selecting.
    int SelectedIndex(int n) const noexcept { return m_selection[static_cast<size_t>(n)]; }
    // The index of the single selected item; -1 unless exactly one is selected.
    int SingleSelectedIndex() const noexcept;
    // The single selected item, or null unless exactly one is selected.
    const FolderItem* SelectedItem() const noexcept;
    // Whether exactly one item is selected and it is a folder (".." included).
    bool IsSelectedFolder() const noexcept;
    // Whether the first selected item is the ".." row.
    bool FirstSelectedIsParentRow() const noexcept;
    // The handset paths of the selected items, in the order of selecting.
    StringArray SelectedPaths() const;
    // The sum of the selected items' sizes.
    uint64_t SelectedTotalSize() const noexcept;
    // The last-write time (FormatFileTime) of the single selected item other
    // than ".."; empty otherwise.
    String SelectedDateText() const;

    // ---- navigation ---------------------------------------------------------

    // Entering folder `folderName` of the current folder: remembers the
    // current top row for it.
    void RememberPosition(const String& folderName);
    // Goes up one level: reads the parent folder selecting the folder just
    // left, sorts it, restores the top row remembered for that folder (or
    // scrolls the selected row into view) and adds the parent to the recent
    // folders. False (nothing done) at the root.
    bool GoUp();
    // Adds a folder that became current to the recent folders (not the root).
    void AddRecentFolder(const wchar_t* path);
    const RecentFolders& Recent() const noexcept { return m_recent; }
    const PositionMemo& Memo() const noexcept { return m_memo; }
    void ClearPositionMemo() noexcept { m_memo.Clear(); }

    // ---- storage cards (only while the root is current) -------------------

    // A card folder of the root appeared: when the root is current, an item
    // for it (a folder, size 0, not selected) goes in front of the first item
    // whose name compares greater without regard to case, and the folder
    // count grows by 1; the top row is kept. Nothing when the root is not
    // current or the name is already listed; with subfolders not listed the
    // card is only counted. True when the list changed.
    bool InsertCardItem(const String& cardName);
    // A card folder of the root went away: when the root is current, its item
    // is removed and the folder count drops by 1 (never below 0); the top row
    // is kept (clamped). When the removed item was selected and nothing else
    // is, the item before it (or item 0) is selected. True when the list
    // changed.
    bool RemoveCardItem(const String& cardName);

    // ---- incremental updates after file operations ------------------------

    // A folder `name` was created in the current folder: it is appended as
    // the only selected item and scrolled into view; the tree hears of it.
    void AddCreatedFolder(const String& name);
    // A file `name` was created in (or received into) `folder`: when that is
    // the current folder and the file exists, its item is appended (or, when
    // an item of that name is listed, brought up to date) as the only
    // selection and scrolled into view.
    void AddCreatedFile(const wchar_t* folder, const String& name);
    // `names` now exist in `destination` (copied or duplicated there): the
    // tree hears of each folder among them; when the destination is the
    // current folder each existing name is appended (or its listed item
    // brought up to date) and the new items become the selection, scrolled to
    // the last item.
    void AddPastedItems(const wchar_t* destination, const StringArray& names);
    // After a delete or a move (to `moveDestination`, null for a delete):
    // every selected item that no longer exists is removed (folders also from
    // the tree, and a moved folder joins the destination in the tree); then
    // the selection is cleared and the scroll range reset. ".." always stays.
    void RemoveDeletedItems(const wchar_t* moveDestination);
    // The single selected item (not "..") was renamed to `newName`: the item
    // takes the name, its type and icon are fetched again, its row is
    // repainted, and a folder's tree node is renamed. False when there is no
    // single selected item to rename.
    bool RenameSelected(const String& newName);
    // The single selected item (not "..") now has `attributes`: the item
    // takes them, and when the list does not show hidden files and it is a
    // file that became hidden, it leaves the list (the row before it is
    // selected). True when it left the list.
    bool UpdateSelectedAttributes(DWORD attributes);
    // Item `name` of `folder` was given `attributes` (when there are any) and
    // then `newName` (when not empty) while the list may have been read again
    // (a card came or went): when the list still shows that folder with that
    // item alone selected, the item follows as UpdateSelectedAttributes and
    // RenameSelected say (no rename once it left the list); otherwise the
    // folder is read again, so that no other item takes the changes.
    void FollowItemChange(const String& folder, const String& name, std::optional<DWORD> attributes,
                          const String& newName);

private:
    // The read itself; the listing flag is already set by the caller.
    // Takes its own copies: an observer may change the current path meanwhile.
    void ReadContents(String path, String nameToSelect, DWORD preferences);
    void ClearItems();
    // Takes the row out of the list; when it was selected and nothing else
    // is, the row before it (or row 0) is selected. Repaints.
    void RemoveRow(int index);
    // A new item at the end of the list, default but for the name and the
    // attributes.
    FolderItem& AppendItem(const wchar_t* name, DWORD attributes);
    // A new item from the pool, not yet in the list.
    FolderItem& NewItem(const wchar_t* name, DWORD attributes);
    // Makes the counts that other threads may read match the items.
    void PublishCounts() noexcept;
    void SetFolderCount(int count) noexcept { m_folderCount.store(count < 0 ? 0 : count); }
    void FillTypeNames(std::span<FolderItem*> items);
    String TypeName(const String& path) const;
    void RebuildSelection();
    // Selects item 0 when there are items and none is selected; true if it did.
    bool SelectFirstIfNone();
    void ResetScrollRange();
    void ScrollToShow(int index) noexcept;
    int FindItemNoCase(const wchar_t* name) const noexcept;
    // Appends an item for the entry, or brings the listed item of its name up
    // to date; returns its index.
    int PutEntry(const WIN32_FIND_DATAW& entry);

    template <typename Event>
    void Notify(Event&& event) const
    {
        if (m_observer)
            event(*m_observer);
    }

    FolderItemPool m_pool;             // owns the items
    std::vector<FolderItem*> m_items;  // the rows, in the list's order
    std::vector<int> m_selection;
    String m_currentPath;
    int m_topRow = 0;
    int m_rowsPerPage = 1;
    bool m_sorted = false;
    DWORD m_sortState = 0;
    DWORD m_preferences;
    PositionMemo m_memo;
    RecentFolders m_recent;
    FolderListObserver* m_observer = nullptr;
    TypeNameProvider m_typeNames;

    // Looked up by a view of the extension, so that no text is made per item.
    struct StringHash {
        using is_transparent = void;
        size_t operator()(std::wstring_view text) const noexcept { return std::hash<std::wstring_view>()(text); }
        size_t operator()(const String& text) const noexcept { return (*this)(View(text)); }
    };
    struct StringEqual {
        using is_transparent = void;
        bool operator()(std::wstring_view a, std::wstring_view b) const noexcept { return a == b; }
        bool operator()(const String& a, std::wstring_view b) const noexcept { return View(a) == b; }
        bool operator()(std::wstring_view a, const String& b) const noexcept { return a == View(b); }
        bool operator()(const String& a, const String& b) const noexcept { return View(a) == View(b); }
    };
    static std::wstring_view View(const String& text) noexcept
    {
        return std::wstring_view(text.Chars(), static_cast<size_t>(text.Length()));
    }
    std::unordered_map<String, String, StringHash, StringEqual> m_typeNameCache;  // extension -> type name

    std::atomic<bool> m_listing{false};
    std::atomic<int> m_itemCount{0};
    std::atomic<int> m_folderCount{0};
    std::atomic<int> m_fileCount{0};
    std::thread m_worker;
};
