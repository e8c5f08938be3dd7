// The orders of the folder list: the sort state word and the comparison of
// items.
//
// Folders always come before files. Within each group the items are ordered
// by the sort key in the sort direction, equal keys by name (the system
// locale's comparison, case-sensitive). Size and type do not tell folders
// apart, so after a sort by either the block of folders is sorted once more by
// name alone, without regard to case.
#pragma once

#include "filemanager/FolderItem.h"

#include <windows.h>

#include <span>
#include <string>

// The sort state word (kept with the settings as "UI Info\Values"): bit 0
// descending, bits 1 and 2 the key. 0 is by name, ascending.
enum class SortKey : DWORD { Name = 0, Size = 1, Date = 2, Type = 3 };

inline constexpr DWORD SortDescendingBit = 0x1;
inline constexpr DWORD SortKeyBits = 0x6;

inline SortKey SortKeyOf(DWORD state) noexcept
{
    return static_cast<SortKey>((state & SortKeyBits) >> 1);
}
inline bool IsDescending(DWORD state) noexcept
{
    return (state & SortDescendingBit) != 0;
}
inline DWORD WithSortKey(DWORD state, SortKey key) noexcept
{
    return (state & ~SortKeyBits) | (static_cast<DWORD>(key) << 1);
}
inline DWORD WithDescending(DWORD state, bool descending) noexcept
{
    return descending ? state | SortDescendingBit : state & ~SortDescendingBit;
}

// The system default locale's comparison of two names, no flags (so case
// counts): <0, 0 or >0.
int CompareNames(const wchar_t* a, const wchar_t* b) noexcept;
// The same without regard to case.
int CompareNamesNoCase(const wchar_t* a, const wchar_t* b) noexcept;
// The system default locale's sort key of a name: keys compare (as unsigned
// bytes) as CompareNames compares the names. Empty when the platform makes
// none. Byte for byte the platform's key; names of plain characters get it
// from a table instead of the platform (PlatformSortKey), which costs far
// more.
std::string LocaleSortKey(const wchar_t* name);
// Appends the key to `key`; false (nothing appended) when there is none.
bool AppendLocaleSortKey(const wchar_t* name, std::string& key);
// The key as the platform makes it.
std::string PlatformSortKey(const wchar_t* name);

// Sorts the items by the sort state, folders first, with the second pass over
// the folders after a sort by size or type. A sort by type compares the
// items' typeName fields as they are: the caller fills them first.
void SortFolderItems(std::span<FolderItem*> items, DWORD sortState);
