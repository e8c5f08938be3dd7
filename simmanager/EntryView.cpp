#include "simmanager/EntryView.h"

#include <algorithm>

int CompareSlots(const PhonebookSlot& a, const PhonebookSlot& b, SortKey key) noexcept
{
    switch (key) {
    case SortKey::Number:
        return a.Number().CompareNoCase(b.Number());
    case SortKey::Index:
        return a.SimIndex() < b.SimIndex() ? -1 : a.SimIndex() > b.SimIndex() ? 1 : 0;
    case SortKey::Name:
    default:
        // In the user's language: "Céline" comes before "Conceição".
        return lstrcmpiW(a.Name(), b.Name());
    }
}

EntryView::EntryView(ViewKind kind, int capacity, DWORD storageCode)
    : m_kind(kind), m_storageCode(storageCode), m_rows(static_cast<size_t>(std::max(capacity, 0)))
{
}

PhonebookSlot* EntryView::SlotAt(int row) const noexcept
{
    return row >= 0 && row < m_rowCount ? m_rows[row].slot : nullptr;
}

PhonebookSlot* EntryView::FocusedSlot() const noexcept
{
    return SlotAt(m_focusedRow);
}

bool EntryView::IsMarked(int row) const noexcept
{
    return row >= 0 && row < m_rowCount && (m_rows[row].flags & RowMarked);
}

int EntryView::FindSlot(const PhonebookSlot* slot) const noexcept
{
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rows[row].slot == slot)
            return row;
    }
    return -1;
}

bool EntryView::Append(PhonebookSlot* slot, BYTE matchPosition)
{
    if (!slot || m_rowCount >= Capacity())
        return false;
    m_rows[m_rowCount++] = ViewRow{slot, matchPosition, RowInUse};
    return true;
}

void EntryView::FocusRow(int row, int rowsPerPage)
{
    if (m_rowCount == 0)
        return;
    rowsPerPage = std::max(rowsPerPage, 1);
    row = std::clamp(row, 0, m_rowCount - 1);
    int old = m_focusedRow;
    if (m_multiSelect) {
        SetFocusOnly(row);
    } else {
        for (int r = 0; r < m_rowCount; ++r)
            m_rows[r].flags &= static_cast<WORD>(~(RowMarked | RowFocused));
        m_rows[row].flags |= RowFocused | RowMarked;
        m_focusedRow = row;
    }
    bool visible = row >= m_topRow && row < m_topRow + rowsPerPage;
    if (!visible && old >= 0) {
        // The focus keeps its place on the page while the page scrolls.
        m_topRow = std::max(0, m_topRow + row - old);
        if (m_topRow > m_rowCount - 1)
            m_topRow = std::max(0, m_rowCount - rowsPerPage / 2 - 1);
    }
    ShowFocus(rowsPerPage);
    Recount();
}

void EntryView::MoveFocus(int delta, int rowsPerPage)
{
    if (m_rowCount == 0)
        return;
    FocusRow(m_focusedRow < 0 ? 0 : m_focusedRow + delta, rowsPerPage);
}

void EntryView::SetFocusOnly(int row) noexcept
{
    if (m_focusedRow >= 0 && m_focusedRow < m_rowCount)
        m_rows[m_focusedRow].flags &= static_cast<WORD>(~RowFocused);
    if (row >= 0 && row < m_rowCount) {
        m_rows[row].flags |= RowFocused;
        m_focusedRow = row;
    } else {
        m_focusedRow = -1;
    }
}

void EntryView::ShowFocus(int rowsPerPage) noexcept
{
    rowsPerPage = std::max(rowsPerPage, 1);
    if (m_focusedRow < 0)
        return;
    if (m_focusedRow < m_topRow)
        m_topRow = m_focusedRow;
    else if (m_focusedRow >= m_topRow + rowsPerPage)
        m_topRow = m_focusedRow - rowsPerPage + 1;
    m_topRow = std::max(m_topRow, 0);
}

void EntryView::MarkAll() noexcept
{
    for (int row = 0; row < m_rowCount; ++row)
        m_rows[row].flags |= RowMarked;
    if (m_focusedRow < 0 && m_rowCount > 0)
        SetFocusOnly(0);
    Recount();
}

void EntryView::ClearMarks() noexcept
{
    for (int row = 0; row < m_rowCount; ++row)
        m_rows[row].flags &= static_cast<WORD>(~RowMarked);
    Recount();
}

void EntryView::ToggleMark(int row) noexcept
{
    SetMark(row, !IsMarked(row));
}

void EntryView::SetMark(int row, bool marked) noexcept
{
    if (row < 0 || row >= m_rowCount)
        return;
    if (marked)
        m_rows[row].flags |= RowMarked;
    else
        m_rows[row].flags &= static_cast<WORD>(~RowMarked);
    Recount();
}

void EntryView::Recount() noexcept
{
    int marked = 0;
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rows[row].flags & RowMarked)
            ++marked;
    }
    m_markedCount = marked;
}

void EntryView::Sort(SortKey key, int rowsPerPage)
{
    rowsPerPage = std::max(rowsPerPage, 1);
    // Stable, so that equal entries keep their slot order from one sort to the next.
    std::stable_sort(m_rows.begin(), m_rows.begin() + m_rowCount,
                     [key](const ViewRow& a, const ViewRow& b) { return CompareSlots(*a.slot, *b.slot, key) < 0; });
    m_focusedRow = -1;
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rows[row].flags & RowFocused) {
            m_focusedRow = row;
            break;
        }
    }
    if (m_focusedRow < 0)
        m_topRow = 0;
    else if (m_focusedRow < m_topRow || m_focusedRow >= m_topRow + rowsPerPage)
        m_topRow = std::max(0, m_focusedRow - rowsPerPage + 1);
}

void EntryView::RemoveEmptiedRows(int rowsPerPage)
{
    rowsPerPage = std::max(rowsPerPage, 1);
    int kept = 0;
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rows[row].slot && !m_rows[row].slot->IsEmpty())
            m_rows[kept++] = m_rows[row];
    }
    for (int row = kept; row < m_rowCount; ++row)
        m_rows[row] = ViewRow{};
    m_rowCount = kept;

    // The focused index follows its row, wherever the removal moved it.
    m_focusedRow = -1;
    for (int row = 0; row < m_rowCount; ++row) {
        if (m_rows[row].flags & RowFocused) {
            m_focusedRow = row;
            break;
        }
    }
    if (m_focusedRow < 0 && m_rowCount > 0) {
        m_rows[0].flags |= RowFocused | RowMarked;
        m_focusedRow = 0;
    }
    if (m_rowCount == 0)
        m_topRow = 0;
    else if (m_topRow > m_rowCount - 1 || m_focusedRow < m_topRow || m_focusedRow >= m_topRow + rowsPerPage)
        m_topRow = std::max(0, m_focusedRow + 1 - rowsPerPage);
    Recount();
}

std::unique_ptr<EntryView> EntryView::MakeMarkCopy() const
{
    auto copy = std::make_unique<EntryView>(ViewKind::MarkCopy, Capacity(), m_storageCode);
    std::copy(m_rows.begin(), m_rows.end(), copy->m_rows.begin());
    copy->m_rowCount = m_rowCount;
    copy->m_topRow = m_topRow;
    copy->m_focusedRow = m_focusedRow;
    copy->m_markedCount = m_markedCount;
    copy->m_keyCount = m_keyCount;
    copy->m_multiSelect = true;
    return copy;
}

void EntryView::TakeMarksFrom(EntryView& copy)
{
    int focus = copy.m_focusedRow;
    if (focus >= 0 && !copy.IsMarked(focus)) {
        int nearest = -1;
        for (int distance = 1; nearest < 0 && (focus - distance >= 0 || focus + distance < copy.m_rowCount);
             ++distance) {
            if (copy.IsMarked(focus - distance))
                nearest = focus - distance;
            else if (copy.IsMarked(focus + distance))
                nearest = focus + distance;
        }
        if (nearest >= 0)
            copy.SetFocusOnly(nearest);
        else
            copy.SetMark(focus, true);
    }
    int rows = std::min(m_rowCount, copy.m_rowCount);
    for (int row = 0; row < rows; ++row) {
        WORD marked = copy.m_rows[row].flags & RowMarked;
        m_rows[row].flags = static_cast<WORD>((m_rows[row].flags & ~RowMarked) | marked);
        m_rows[row].matchPosition = copy.m_rows[row].matchPosition;
    }
    SetFocusOnly(copy.m_focusedRow);
    Recount();
}
