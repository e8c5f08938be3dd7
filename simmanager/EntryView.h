// EntryView: an ordered list of rows, each naming one slot of a store, with
// the focus, the marks, the scroll position and, in search views, where each
// row matched. A store stacks views: the base view at the bottom, filters on
// top (PhonebookStore.h).
//
// Geometry is the window's: operations that scroll take the number of rows
// that fit on a page.
#pragma once

#include "simmanager/PhonebookSlot.h"

#include <windows.h>

#include <memory>
#include <vector>

enum class ViewKind : DWORD {
    Base = 0,          // every filled slot, sorted
    MarkCopy = 1,      // the mark dialog's copy of the current view
    KeypadSearch = 2,  // rows of the view below that match the typed keys
    Duplicates = 3,    // every filled slot that has an equal partner, sorted
    Redundant = 4,     // each group of equal slots without its first member, sorted
};

// The SortKey setting.
enum class SortKey : DWORD {
    Name = 0,    // case-insensitive
    Number = 1,  // case-insensitive
    Index = 2,   // SIM position
};

// The DisplayKey setting: what a row shows and what the keypad search reads.
enum class DisplayKey : DWORD {
    Names = 0,
    Numbers = 1,
};

// What the views' operations need of the settings and the window.
struct ViewOptions {
    SortKey sortKey = SortKey::Name;
    DisplayKey displayKey = DisplayKey::Names;
    int rowsPerPage = 1;
};

inline constexpr BYTE NoMatch = 255;
inline constexpr WORD RowInUse = 1;
inline constexpr WORD RowMarked = 2;
inline constexpr WORD RowFocused = 4;

struct ViewRow {
    PhonebookSlot* slot = nullptr;
    BYTE matchPosition = NoMatch;
    WORD flags = 0;
};

// Orders two slots by `key`: <0, 0, >0.
int CompareSlots(const PhonebookSlot& a, const PhonebookSlot& b, SortKey key) noexcept;

class EntryView {
public:
    // Room for `capacity` rows (the store's slot count).
    EntryView(ViewKind kind, int capacity, DWORD storageCode);

    ViewKind Kind() const noexcept { return m_kind; }
    DWORD StorageCode() const noexcept { return m_storageCode; }
    int Capacity() const noexcept { return static_cast<int>(m_rows.size()); }
    int RowCount() const noexcept { return m_rowCount; }
    bool IsEmpty() const noexcept { return m_rowCount == 0; }
    int TopRow() const noexcept { return m_topRow; }
    int FocusedRow() const noexcept { return m_focusedRow; }  // -1: none
    int MarkedCount() const noexcept { return m_markedCount; }
    int KeyCount() const noexcept { return m_keyCount; }
    void SetKeyCount(int count) noexcept { m_keyCount = count; }
    bool MultiSelect() const noexcept { return m_multiSelect; }
    void SetMultiSelect(bool on) noexcept { m_multiSelect = on; }

    // Rows 0..RowCount()-1.
    const ViewRow& Row(int row) const noexcept { return m_rows[row]; }
    PhonebookSlot* SlotAt(int row) const noexcept;  // null outside the rows
    PhonebookSlot* FocusedSlot() const noexcept;    // null without focus
    bool IsMarked(int row) const noexcept;
    // The row that shows `slot`, or -1.
    int FindSlot(const PhonebookSlot* slot) const noexcept;

    // Adds a row at the end (flag "in use", nothing else); false when full.
    bool Append(PhonebookSlot* slot, BYTE matchPosition = NoMatch);

    // Focus. In normal mode the mark follows the focus: the new row is
    // focused and marked, every other row loses both. In multi-select mode
    // only the focus moves. The row is clamped to the rows; the top row
    // follows so that the focus stays visible.
    void FocusRow(int row, int rowsPerPage);
    // Up/down (delta -1/+1) and page moves (delta -/+ rowsPerPage), no wrap.
    void MoveFocus(int delta, int rowsPerPage);
    // Sets the focus flag on `row` (or none for -1) and nothing else.
    void SetFocusOnly(int row) noexcept;
    // Keeps the focused row on the page.
    void ShowFocus(int rowsPerPage) noexcept;

    // Marks.
    void MarkAll() noexcept;
    void ClearMarks() noexcept;
    void ToggleMark(int row) noexcept;
    void SetMark(int row, bool marked) noexcept;
    void Recount() noexcept;

    // Sorts the rows by `key`, finds the focused row again by its flag and
    // scrolls it onto the page.
    void Sort(SortKey key, int rowsPerPage);

    // Keeps, in order, the rows whose slot is still filled, then repairs the
    // focus and the top row and recounts the marks.
    void RemoveEmptiedRows(int rowsPerPage);

    // The mark dialog: a kind-1 copy of this view in multi-select mode...
    std::unique_ptr<EntryView> MakeMarkCopy() const;
    // ...and, on done, its marks taken back: the copy's focus moves to the
    // nearest marked row (one up, one down, at growing distance; the focused
    // row itself is marked when none is), then marks and match positions are
    // copied row by row and this view is focused on the copy's focused row
    // (ShowFocus then scrolls it onto this view's page).
    void TakeMarksFrom(EntryView& copy);

private:
    ViewKind m_kind;
    DWORD m_storageCode;
    std::vector<ViewRow> m_rows;
    int m_rowCount = 0;
    int m_topRow = 0;
    int m_focusedRow = -1;
    int m_markedCount = 0;
    int m_keyCount = 0;
    bool m_multiSelect = false;
};
