// One row of the folder list: a file or subfolder as the enumeration returned
// it, plus the texts and the icon that the list pane fetches lazily and caches
// here (the shell queries behind them are slow on the handset).
#pragma once

#include "framework/String.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The handset's "stored in ROM" attribute. Desktop file systems never report
// it for a file (0x40 means a device there), so it only appears on the handset.
inline constexpr DWORD FileAttributeInRom = 0x40;

// The name of the parent row that leads up one level.
inline constexpr const wchar_t* ParentRowName = L"..";

struct FolderItem {
    int selected = 0;  // 0 or 1; mirrors membership in the list's selection
    String name;       // as the file system returns it; ".." for the parent row
    String typeName;   // the shell's type description; empty until a sort by type needs it
    DWORD sizeHigh = 0;
    DWORD sizeLow = 0;
    String sizeText;           // short-unit size text; empty until the row is first painted
    FILETIME lastWriteTime{};  // UTC
    DWORD attributes = 0;      // as enumerated: 0x10 folder, 0x02 hidden, 0x04 system, 0x40 ROM
    int iconIndex = -1;        // place in the pane's image list; -1 until first painted

    bool IsFolder() const noexcept { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    bool IsParentRow() const noexcept { return name == ParentRowName; }
    uint64_t Size() const noexcept { return (uint64_t{sizeHigh} << 32) | sizeLow; }
};

// The storage of a list's items: blocks of items handed out one after the
// other, so that a read of thousands of entries makes a few allocations
// instead of one per item. An item keeps its address until Clear.
class FolderItemPool {
public:
    // A default item, owned by the pool.
    FolderItem& Add()
    {
        if (m_used == m_blocks.size() * BlockItems)
            m_blocks.push_back(std::make_unique<FolderItem[]>(BlockItems));
        FolderItem& item = m_blocks[m_used / BlockItems][m_used % BlockItems];
        ++m_used;
        return item;
    }
    // Every item handed out is gone.
    void Clear() noexcept
    {
        m_blocks.clear();
        m_used = 0;
    }

private:
    static constexpr size_t BlockItems = 256;
    std::vector<std::unique_ptr<FolderItem[]>> m_blocks;
    size_t m_used = 0;
};
