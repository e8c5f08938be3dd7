#include "simmanager/ContactList.h"

#include <algorithm>
#include <utility>

ContactRow ContactRow::Make(const String& first, const String& middle, const String& last,
                            const String (&numbers)[NumberKindCount], const NumberKindLabels& labels)
{
    ContactRow row;
    row.firstName = first;
    row.middleName = middle;
    row.lastName = last;
    row.lines[0] = first + L" " + middle + L" " + last;
    row.flags[0] = LinePresent;
    for (int kind = 1; kind <= NumberKindCount; ++kind) {
        row.lines[kind] = numbers[kind - 1];
        row.labels[kind] = labels.Of(kind);
        row.flags[kind] = row.lines[kind].IsEmpty() ? 0 : LinePresent;
    }
    return row;
}

bool ContactList::Append(ContactRow row)
{
    const bool named = !row.firstName.IsEmpty() || !row.middleName.IsEmpty() || !row.lastName.IsEmpty();
    int lines = 1;
    for (int line = 1; line < ContactRow::LineCount; ++line) {
        row.flags[line] &= LinePresent;
        if (row.IsPresent(line))
            ++lines;
    }
    if (!named || lines == 1)
        return false;
    row.flags[0] = LinePresent;
    row.firstLine = m_lineCount;
    row.endLine = m_lineCount + lines;
    m_lineCount = row.endLine;
    m_rows.push_back(std::move(row));
    return true;
}

ContactLine ContactList::LineAt(int line) const noexcept
{
    if (line < 0 || line >= m_lineCount)
        return {};
    // Rows are in line order: the last row starting at or before the line.
    const auto after = std::upper_bound(m_rows.begin(), m_rows.end(), line,
                                        [](int wanted, const ContactRow& row) { return wanted < row.firstLine; });
    const ContactRow& row = *(after - 1);
    int left = line - row.firstLine;
    for (int inRow = 0; inRow < ContactRow::LineCount; ++inRow) {
        if (row.IsPresent(inRow) && left-- == 0)
            return {static_cast<int>(after - 1 - m_rows.begin()), inRow};
    }
    return {};
}

ContactRow* ContactList::RowOf(int line, int& inRow) noexcept
{
    const ContactLine where = LineAt(line);
    inRow = where.line;
    return where.row >= 0 ? &m_rows[static_cast<std::size_t>(where.row)] : nullptr;
}

void ContactList::MoveFocus(int delta, int page) noexcept
{
    if (m_lineCount == 0)
        return;
    page = std::max(page, 1);
    const int old = m_focusedLine;
    const int target = old < 0 ? 0 : std::clamp(old + delta, 0, m_lineCount - 1);
    int inRow = -1;
    if (ContactRow* row = RowOf(old, inRow))
        row->flags[inRow] &= static_cast<WORD>(~LineFocused);
    if (ContactRow* row = RowOf(target, inRow))
        row->flags[inRow] |= LineFocused;
    m_focusedLine = target;
    if (target < m_topLine)
        m_topLine = target;
    else if (target >= m_topLine + page)
        m_topLine = target - page + 1;
}

void ContactList::SetNumberMarks(ContactRow& row, bool marked) noexcept
{
    for (int line = 1; line < ContactRow::LineCount; ++line) {
        if (!row.IsPresent(line))
            continue;
        if (marked)
            row.flags[line] |= LineMarked;
        else
            row.flags[line] &= static_cast<WORD>(~LineMarked);
    }
}

void ContactList::ToggleFocused() noexcept
{
    int inRow = -1;
    ContactRow* row = RowOf(m_focusedLine, inRow);
    if (!row)
        return;
    if (inRow == 0)
        SetNumberMarks(*row, !row->IsMarked(0));
    else
        row->flags[inRow] ^= LineMarked;
    Recount();
}

void ContactList::MarkAll() noexcept
{
    for (ContactRow& row : m_rows)
        SetNumberMarks(row, true);
    Recount();
}

void ContactList::ClearMarks() noexcept
{
    for (ContactRow& row : m_rows)
        SetNumberMarks(row, false);
    Recount();
}

void ContactList::Recount() noexcept
{
    m_markedCount = 0;
    for (ContactRow& row : m_rows) {
        bool all = true;
        for (int line = 1; line < ContactRow::LineCount; ++line) {
            if (!row.IsPresent(line))
                continue;
            if (row.IsMarked(line))
                ++m_markedCount;
            else
                all = false;
        }
        if (all)
            row.flags[0] |= LineMarked;
        else
            row.flags[0] &= static_cast<WORD>(~LineMarked);
    }
}
