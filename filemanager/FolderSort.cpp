#include "filemanager/FolderSort.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

int CompareWithLocale(const wchar_t* a, const wchar_t* b, DWORD flags) noexcept
{
    int result = CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, a, -1, b, -1);
    if (result == 0)  // only for bad arguments; an order is still needed
        return flags & NORM_IGNORECASE ? _wcsicmp(a, b) : std::wcscmp(a, b);
    return result - CSTR_EQUAL;
}

// One item with what its comparisons need, worked out once: comparing locale
// sort keys gives the locale comparison's order at a fraction of its cost,
// and the few distinct type names are ranked once instead of compared again
// and again.
struct SortEntry {
    size_t index;  // where the item stands before the sort
    const FolderItem* item;
    std::string nameKey;  // empty when the platform made none
    uint64_t size;
    uint64_t time;  // the write time, the 64-bit number CompareFileTime compares
    int typeRank;
};

int Sign(int value) noexcept
{
    return (value > 0) - (value < 0);
}

template <typename T>
int CompareValues(T a, T b) noexcept
{
    return (b < a) - (a < b);
}

int CompareNameKeys(const SortEntry& a, const SortEntry& b) noexcept
{
    if (a.nameKey.empty() || b.nameKey.empty())
        return CompareNames(a.item->name, b.item->name);
    return Sign(a.nameKey.compare(b.nameKey));
}

int CompareByKey(const SortEntry& a, const SortEntry& b, SortKey key) noexcept
{
    switch (key) {
    case SortKey::Size:
        return CompareValues(a.size, b.size);
    case SortKey::Date:
        return CompareValues(a.time, b.time);
    case SortKey::Type:
        return CompareValues(a.typeRank, b.typeRank);
    case SortKey::Name:
        break;
    }
    return 0;
}

// Folders first whatever the direction; then the key, then the name, both in
// the direction of the sort.
int CompareEntries(const SortEntry& a, const SortEntry& b, SortKey key, bool descending) noexcept
{
    const bool aFolder = a.item->IsFolder();
    if (aFolder != b.item->IsFolder())
        return aFolder ? -1 : 1;
    int result = CompareByKey(a, b, key);
    if (result == 0)
        result = CompareNameKeys(a, b);
    return descending ? -result : result;
}

// Ranks the items' type names so that ranks compare as the names do without
// regard to case (names that compare equal share a rank). A folder holds a
// few distinct types however many items it has: only those are compared.
void RankTypeNames(std::vector<SortEntry>& entries)
{
    std::unordered_map<std::wstring_view, int> rankOf;
    for (const SortEntry& entry : entries)
        rankOf.emplace(
            std::wstring_view(entry.item->typeName.Chars(), static_cast<size_t>(entry.item->typeName.Length())), 0);
    std::vector<std::wstring_view> names;
    for (const auto& [name, rank] : rankOf)
        names.push_back(name);
    // The views come from String texts, so each ends in a terminator.
    std::sort(names.begin(), names.end(),
              [](std::wstring_view a, std::wstring_view b) { return CompareNamesNoCase(a.data(), b.data()) < 0; });
    int rank = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && CompareNamesNoCase(names[i - 1].data(), names[i].data()) != 0)
            ++rank;
        rankOf[names[i]] = rank;
    }
    for (SortEntry& entry : entries)
        entry.typeRank =
            rankOf[std::wstring_view(entry.item->typeName.Chars(), static_cast<size_t>(entry.item->typeName.Length()))];
}

}  // namespace

std::string LocaleSortKey(const wchar_t* name)
{
    int size = LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, name, -1, nullptr, 0);
    if (size <= 0)
        return std::string();
    std::string key(static_cast<size_t>(size), '\0');
    // With LCMAP_SORTKEY the destination is a byte buffer of `size` bytes.
    if (LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, name, -1, reinterpret_cast<wchar_t*>(key.data()), size) !=
        size)
        return std::string();
    return key;
}

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

    // Lots of type names are never compared beyond their rank; the names
    // almost always are (equal keys fall back to them).
    std::vector<SortEntry> entries;
    entries.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const FolderItem& item = *items[i];
        const uint64_t time = (uint64_t{item.lastWriteTime.dwHighDateTime} << 32) | item.lastWriteTime.dwLowDateTime;
        entries.push_back({i, &item, LocaleSortKey(item.name), item.Size(), time, 0});
    }
    if (key == SortKey::Type)
        RankTypeNames(entries);
    std::sort(entries.begin(), entries.end(),
              [&](const SortEntry& a, const SortEntry& b) { return CompareEntries(a, b, key, descending) < 0; });

    // Size and type do not tell folders apart: order the folders by name
    // alone, without regard to case.
    if (key == SortKey::Size || key == SortKey::Type) {
        auto folderEnd = std::find_if(entries.begin(), entries.end(),
                                      [](const SortEntry& entry) { return !entry.item->IsFolder(); });
        std::sort(entries.begin(), folderEnd, [&](const SortEntry& a, const SortEntry& b) {
            int result = CompareNamesNoCase(a.item->name, b.item->name);
            return descending ? result > 0 : result < 0;
        });
    }

    std::vector<FolderItemPtr> sorted;
    sorted.reserve(items.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(std::move(items[entry.index]));
    std::move(sorted.begin(), sorted.end(), items.begin());
}
