#include "filemanager/FolderList.h"

#include "filemanager/DeviceFiles.h"
#include "filemanager/FileFormats.h"
#include "filemanager/FolderFilter.h"
#include "filemanager/Settings.h"
#include "framework/Paths.h"

#include "platform/Handles.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <new>
#include <span>

namespace {

// The extension that decides a file's type ("" without one), in lower case,
// in `buffer` when it fits there (the usual case, with no text made).
std::wstring_view TypeKeyOf(const FolderItem& item, wchar_t (&buffer)[32], String& longKey)
{
    const int dot = item.name.ReverseFind(L'.');
    if (dot < 0)
        return std::wstring_view();
    const int length = item.name.Length() - dot;
    if (length < static_cast<int>(std::size(buffer))) {
        // Plain letters are lowered here: the platform call costs more than
        // the rest of the lookup.
        bool plain = true;
        for (int i = 0; i < length; ++i) {
            const wchar_t ch = item.name.Chars()[dot + i];
            plain = plain && ch < 0x80;
            buffer[i] = ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch;
        }
        if (!plain)
            CharLowerBuffW(buffer, static_cast<DWORD>(length));
        return std::wstring_view(buffer, static_cast<size_t>(length));
    }
    longKey = item.name.Mid(dot);
    longKey.MakeLower();
    return std::wstring_view(longKey.Chars(), static_cast<size_t>(longKey.Length()));
}

}  // namespace

FolderList::FolderList() : m_preferences(DefaultPreferences)
{
}

FolderList::~FolderList()
{
    StopListing();
    WaitForBackgroundRead();
}

void FolderList::SetObserver(FolderListObserver* observer) noexcept
{
    m_observer = observer;
}

void FolderList::SetTypeNameProvider(TypeNameProvider provider)
{
    m_typeNames = std::move(provider);
    ForgetTypeNames();
}

void FolderList::SetPreferences(DWORD preferences) noexcept
{
    m_preferences = preferences;
}

void FolderList::SetSortKey(SortKey key)
{
    m_sortState = WithSortKey(m_sortState, key);
    SortItems();
}

void FolderList::SetSortDescending(bool descending)
{
    m_sortState = WithDescending(m_sortState, descending);
    SortItems();
}

void FolderList::SetCurrentPath(const wchar_t* path)
{
    m_currentPath = NormalizeFolderPath(path);
}

// ---- reading -------------------------------------------------------------

void FolderList::ReadFolder(const wchar_t* path, const wchar_t* nameToSelect)
{
    // A read in progress would fill the list this read replaces.
    StopListing();
    WaitForBackgroundRead();
    m_currentPath = NormalizeFolderPath(path);
    m_listing.store(true);
    ReadContents(m_currentPath, String(nameToSelect ? nameToSelect : L""), m_preferences);
}

void FolderList::ReadContents(const String path, const String nameToSelect, DWORD preferences)
{
    Notify([](FolderListObserver& o) { o.OnReadStarted(); });
    ClearItems();
    int folders = 0;
    try {
        if (!path.IsEmpty())
            AppendItem(ParentRowName, FILE_ATTRIBUTE_DIRECTORY);

        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(FindFirstFileW(FindPatternOf(path), &entry));
        bool more = static_cast<bool>(find);
        while (more) {
            if (!IsDotEntry(entry.cFileName)) {
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    ++folders;
                if (IsListedEntry(entry, preferences)) {
                    FolderItem& item = AppendItem(entry.cFileName, entry.dwFileAttributes);
                    item.sizeHigh = entry.nFileSizeHigh;
                    item.sizeLow = entry.nFileSizeLow;
                    item.lastWriteTime = entry.ftLastWriteTime;
                    if (!nameToSelect.IsEmpty() && item.name == nameToSelect)
                        Select(static_cast<int>(m_items.size()) - 1, true);
                }
            }
            // Someone else cleared the flag: stop here, keeping what was read.
            if (!m_listing.load())
                break;
            more = FindNextFileW(find.Get(), &entry) != FALSE;
        }
    } catch (const std::bad_alloc&) {
        // Out of memory: no half-built list.
        ClearItems();
        folders = 0;
    }

    m_topRow = 0;
    SetFolderCount(folders);
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
    m_listing.store(false);
    Notify([](FolderListObserver& o) { o.OnReadFinished(); });
}

void FolderList::ClearItems()
{
    m_sorted = false;
    m_items.clear();
    m_pool.Clear();
    m_selection.clear();
    m_topRow = 0;
    SetFolderCount(0);
    PublishCounts();
    Notify([](FolderListObserver& o) { o.OnIconsCleared(); });
}

FolderItem& FolderList::NewItem(const wchar_t* name, DWORD attributes)
{
    FolderItem& item = m_pool.Add();
    item.name = name;
    item.attributes = attributes;
    return item;
}

FolderItem& FolderList::AppendItem(const wchar_t* name, DWORD attributes)
{
    FolderItem& item = NewItem(name, attributes);
    m_items.push_back(&item);
    return item;
}

void FolderList::PublishCounts() noexcept
{
    int files = 0;
    for (const FolderItem* item : m_items)
        if (!item->IsFolder())
            ++files;
    m_itemCount.store(static_cast<int>(m_items.size()));
    m_fileCount.store(files);
}

// ---- sorting ---------------------------------------------------------------

void FolderList::SortItems()
{
    WaitForBackgroundRead();
    if (m_items.size() < 2)
        return;
    // ".." stays in front of every order.
    std::span<FolderItem*> sorted(m_items.begin() + (HasParentRow() ? 1 : 0), m_items.end());
    if (SortKeyOf(m_sortState) == SortKey::Type)
        FillTypeNames(sorted);
    SortFolderItems(sorted, m_sortState);
    RebuildSelection();
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

void FolderList::FillTypeNames(std::span<FolderItem*> items)
{
    // Folders are left alone: the second pass orders them by name whatever
    // their types, and each would cost a slow shell query. A file's type
    // follows from its extension, so the shell is asked once per extension
    // while the associations stay as they are (ForgetTypeNames).
    for (FolderItem* item : items) {
        if (!item->typeName.IsEmpty() || item->IsFolder())
            continue;
        wchar_t buffer[32];
        String longKey;
        const std::wstring_view extension = TypeKeyOf(*item, buffer, longKey);
        auto known = m_typeNameCache.find(extension);
        if (known == m_typeNameCache.end())
            known = m_typeNameCache
                        .emplace(String(extension.data(), static_cast<int>(extension.size())),
                                 TypeName(JoinPath(m_currentPath, item->name)))
                        .first;
        item->typeName = known->second;
    }
}

void FolderList::ForgetTypeNames()
{
    m_typeNameCache.clear();
}

String FolderList::TypeName(const String& path) const
{
    return m_typeNames ? m_typeNames(path) : ShellTypeName(path);
}

void FolderList::EnsureSorted()
{
    WaitForBackgroundRead();
    if (m_sorted)
        return;
    m_sorted = true;
    SortItems();
    if (SelectFirstIfNone())
        Notify([](FolderListObserver& o) { o.OnListChanged(); });
}

void FolderList::Refresh()
{
    StopListing();
    WaitForBackgroundRead();
    Notify([](FolderListObserver& o) { o.OnTreeRefresh(); });
    ForgetTypeNames();  // a refresh also picks up changed associations
    ReadFolder(m_currentPath, nullptr);
    EnsureSorted();
}

// ---- the worker read -------------------------------------------------------

bool FolderList::StartBackgroundRead(const wchar_t* path)
{
    if (m_listing.load())
        return false;
    WaitForBackgroundRead();

    String folder = NormalizeFolderPath(path);
    String previousPath = m_currentPath;
    PositionMemo previousMemo = m_memo;
    m_currentPath = folder;
    m_memo.Clear();
    const DWORD preferences = m_preferences;
    // Set here, not by the worker: a tick that comes before the worker runs
    // must see the read as running.
    m_listing.store(true);
    try {
        m_worker = std::thread([this, folder, preferences] {
            try {
                ReadContents(folder, String(), preferences);
            } catch (...) {
                // An observer failed; the read is over all the same.
                m_listing.store(false);
            }
        });
    } catch (...) {
        m_listing.store(false);
        m_currentPath = previousPath;
        m_memo = previousMemo;
        return false;
    }
    return true;
}

void FolderList::WaitForBackgroundRead()
{
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
}

// ---- items -----------------------------------------------------------------

bool FolderList::HasParentRow() const noexcept
{
    return !m_currentPath.IsEmpty() && !m_items.empty() && m_items.front()->IsParentRow();
}

String FolderList::FullPath(int index) const
{
    return JoinPath(m_currentPath, Item(index).name);
}

String FolderList::IconPath(int index) const
{
    if (index == 0 && HasParentRow())
        return PersonalFolderPath();
    return FullPath(index);
}

const String& FolderList::SizeText(int index)
{
    FolderItem& item = Item(index);
    if (item.sizeText.IsEmpty() && !item.IsFolder())
        item.sizeText = FormatSize(item.sizeHigh, item.sizeLow, true, 4, 1024);
    return item.sizeText;
}

int FolderList::FindItemNoCase(const wchar_t* name) const noexcept
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

// ---- scrolling -------------------------------------------------------------

void FolderList::SetRowsPerPage(int rows) noexcept
{
    m_rowsPerPage = std::max(rows, 1);
    SetTopRow(m_topRow);
}

void FolderList::SetTopRow(int row) noexcept
{
    const int count = static_cast<int>(m_items.size());
    if (count <= m_rowsPerPage || row < 0)
        m_topRow = 0;
    else
        m_topRow = std::min(row, count - m_rowsPerPage);
}

int FolderList::LastTop() const noexcept
{
    const int count = static_cast<int>(m_items.size());
    return count > m_rowsPerPage ? count - 1 : 0;
}

void FolderList::ResetScrollRange()
{
    m_topRow = 0;
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
}

void FolderList::ScrollToShow(int index) noexcept
{
    if (index < m_topRow || index >= m_topRow + m_rowsPerPage)
        SetTopRow(index);
}

// ---- selection -------------------------------------------------------------

void FolderList::Select(int index, bool selected)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return;
    FolderItem& item = Item(index);
    if (selected && !item.selected) {
        item.selected = 1;
        m_selection.push_back(index);
    } else if (!selected && item.selected) {
        item.selected = 0;
        std::erase(m_selection, index);
    }
}

void FolderList::ClearSelection() noexcept
{
    for (int index : m_selection)
        Item(index).selected = 0;
    m_selection.clear();
}

void FolderList::SelectOnly(int index)
{
    ClearSelection();
    Select(index, true);
}

void FolderList::RebuildSelection()
{
    m_selection.clear();
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->selected)
            m_selection.push_back(static_cast<int>(i));
}

bool FolderList::SelectFirstIfNone()
{
    if (m_items.empty() || !m_selection.empty())
        return false;
    Select(0, true);
    return true;
}

int FolderList::SingleSelectedIndex() const noexcept
{
    return m_selection.size() == 1 ? m_selection.front() : -1;
}

const FolderItem* FolderList::SelectedItem() const noexcept
{
    const int index = SingleSelectedIndex();
    return index >= 0 ? &Item(index) : nullptr;
}

bool FolderList::IsSelectedFolder() const noexcept
{
    const FolderItem* item = SelectedItem();
    return item && item->IsFolder();
}

bool FolderList::FirstSelectedIsParentRow() const noexcept
{
    return !m_selection.empty() && m_selection.front() == 0 && HasParentRow();
}

StringArray FolderList::SelectedPaths() const
{
    StringArray paths;
    for (int index : m_selection)
        paths.Add(FullPath(index));
    return paths;
}

uint64_t FolderList::SelectedTotalSize() const noexcept
{
    uint64_t total = 0;
    for (int index : m_selection)
        total += Item(index).Size();
    return total;
}

String FolderList::SelectedDateText() const
{
    const int index = SingleSelectedIndex();
    if (index < 0 || (index == 0 && HasParentRow()))
        return String();
    return FormatFileTime(Item(index).lastWriteTime);
}

// ---- navigation ------------------------------------------------------------

void FolderList::RememberPosition(const String& folderName)
{
    m_memo.Remember(folderName, m_topRow);
}

bool FolderList::GoUp()
{
    StopListing();
    WaitForBackgroundRead();
    if (IsRoot())
        return false;
    const String folderLeft = LastComponent(m_currentPath);
    const String parent = ParentPath(m_currentPath);
    ReadFolder(parent, folderLeft);
    EnsureSorted();

    const int selected = m_selection.empty() ? -1 : m_selection.front();
    const int single = SingleSelectedIndex();
    if (std::optional<int> rememberedTop = m_memo.Take(folderLeft)) {
        if (selected >= *rememberedTop && selected <= *rememberedTop + m_rowsPerPage - 1)
            SetTopRow(*rememberedTop);
        else if (single >= 0)
            SetTopRow(single);
    } else if (single >= 0) {
        // Nothing remembered (the tree read the folder): at least show the
        // folder just left.
        ScrollToShow(single);
    }
    AddRecentFolder(parent);
    Notify([](FolderListObserver& o) { o.OnScrollRangeReset(); });
    Notify([](FolderListObserver& o) { o.OnListChanged(); });
    return true;
}

void FolderList::AddRecentFolder(const wchar_t* path)
{
    m_recent.Add(NormalizeFolderPath(path));
}
