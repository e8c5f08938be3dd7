#include "platform/shell/ProgramList.h"

#include <algorithm>

namespace vellumate {

void ProgramList::Assign(std::vector<StartMenuEntry> entries)
{
    const std::wstring previousName = Current() ? Current()->name : std::wstring();
    const int previousIndex = m_highlight;
    m_entries = std::move(entries);

    m_highlight = m_entries.empty() ? -1 : std::clamp(previousIndex, 0, Count() - 1);
    if (!previousName.empty()) {
        const auto same = std::find_if(m_entries.begin(), m_entries.end(),
                                       [&](const StartMenuEntry& entry) { return entry.name == previousName; });
        if (same != m_entries.end())
            m_highlight = static_cast<int>(same - m_entries.begin());
    }
    m_topRow = std::clamp(m_topRow, 0, std::max(0, Count() - m_visibleRows));
    ScrollToHighlight();
}

void ProgramList::SetVisibleRows(int rows)
{
    m_visibleRows = std::max(1, rows);
    m_topRow = std::clamp(m_topRow, 0, std::max(0, Count() - m_visibleRows));
    ScrollToHighlight();
}

bool ProgramList::MoveHighlight(int delta)
{
    if (m_entries.empty())
        return false;
    return SetHighlight(std::clamp(m_highlight + delta, 0, Count() - 1));
}

bool ProgramList::SetHighlight(int index)
{
    if (index < 0 || index >= Count())
        return false;
    if (index == m_highlight)
        return false;
    m_highlight = index;
    ScrollToHighlight();
    return true;
}

const StartMenuEntry* ProgramList::Current() const noexcept
{
    return m_highlight >= 0 && m_highlight < Count() ? &m_entries[static_cast<std::size_t>(m_highlight)] : nullptr;
}

std::wstring ProgramList::VisibleText() const
{
    std::wstring text;
    const int end = std::min(Count(), m_topRow + m_visibleRows);
    for (int row = m_topRow; row < end; ++row) {
        if (!text.empty())
            text += L'\n';
        text += row == m_highlight ? L"> " : L"  ";
        text += m_entries[static_cast<std::size_t>(row)].name;
    }
    return text;
}

void ProgramList::ScrollToHighlight()
{
    if (m_highlight < 0)
        return;
    if (m_highlight < m_topRow)
        m_topRow = m_highlight;
    else if (m_highlight >= m_topRow + m_visibleRows)
        m_topRow = m_highlight - m_visibleRows + 1;
}

}  // namespace vellumate
