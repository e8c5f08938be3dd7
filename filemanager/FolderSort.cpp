#include "filemanager/FolderSort.h"

#include <algorithm>
#include <cwchar>

namespace {

int CompareWithLocale(const wchar_t* a, const wchar_t* b, DWORD flags) noexcept
{
    int result = CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, a, -1, b, -1);
    if (result == 0) // only for bad arguments; an order is still needed
        return flags & NORM_IGNORECASE ? _wcsicmp(a, b) : std::wcscmp(a, b);
    return result - CSTR_EQUAL;
}

int CompareByKey(const FolderItem& a, const FolderItem& b, SortKey key) noexcept
{
    switch (key) {
    case SortKey::Size:
        return a.Size() < b.Size() ? -1 : a.Size() > b.Size() ? 1 : 0;
    case SortKey::Date:
        return CompareFileTime(&a.lastWriteTime, &b.lastWriteTime);
    case SortKey::Type:
        return CompareNamesNoCase(a.typeName, b.typeName);
    case SortKey::Name:
        break;
    }
    return 0;
}

// Folders first whatever the direction; then the key, then the name, both in
// the direction of the sort.
int CompareItems(const FolderItem& a, const FolderItem& b, SortKey key, bool descending) noexcept
{
    if (a.IsFolder() != b.IsFolder())
        return a.IsFolder() ? -1 : 1;
    int result = CompareByKey(a, b, key);
    if (result == 0)
        result = CompareNames(a.name, b.name);
    return descending ? -result : result;
}

} // namespace

int CompareNames(const wchar_t* a, const wchar_t* b) noexcept
{
    return CompareWithLocale(a, b, 0);
}

int CompareNamesNoCase(const wchar_t* a, const wchar_t* b) noexcept
{
    return CompareWithLocale(a, b, NORM_IGNORECASE);
}

void SortFolderItems(std::span<FolderItemPtr> items, DWORD sortState)
{
    if (items.size() < 2)
        return;
    const SortKey key = SortKeyOf(sortState);
    const bool descending = IsDescending(sortState);
    std::sort(items.begin(), items.end(), [&](const FolderItemPtr& a, const FolderItemPtr& b) {
        return CompareItems(*a, *b, key, descending) < 0;
    });

    // Size and type do not tell folders apart: order the folders by name
    // alone, without regard to case.
    if (key != SortKey::Size && key != SortKey::Type)
        return;
    auto folderEnd = std::find_if(items.begin(), items.end(), [](const FolderItemPtr& item) { return !item->IsFolder(); });
    std::sort(items.begin(), folderEnd, [&](const FolderItemPtr& a, const FolderItemPtr& b) {
        int result = CompareNamesNoCase(a->name, b->name);
        return descending ? result > 0 : result < 0;
    });
}
