// What the properties dialog reads and changes of a file or folder: the three
// attributes the user may change, and the totals of a folder's contents. No
// window code.
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>

// The attributes the properties dialog lets the user change.
inline constexpr DWORD EditableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;

enum class AttributeChange {
    None,     // the three bits were as wanted: nothing written
    Written,  // the item now has them
    Failed,
};

// Gives the item at `handsetPath`, whose attributes are `current`, the
// editable bits of `wanted`; every other attribute it has stays.
AttributeChange WriteEditableAttributes(const wchar_t* handsetPath, DWORD current, DWORD wanted);

// The contents of a folder, below it at any depth.
struct FolderTotals {
    long long folders = 0;
    long long files = 0;
    std::uint64_t bytes = 0;
};

// Whether the totals are shown again after this many files: after each of
// the first 56, then after every 57th (a large folder is not slowed down by
// showing every file).
bool ReportsAfterFile(long long files) noexcept;

// Totals `folder` (a handset path, "" the root) and every folder below it.
// `report` hears the totals so far after each subfolder, after the files
// ReportsAfterFile names and at the end. Stops early, returning false, once
// `stop` is set. Folders that cannot be read count with what they hold: nothing.
bool TotalFolder(const String& folder, const std::atomic<bool>& stop,
                 const std::function<void(const FolderTotals&)>& report);
