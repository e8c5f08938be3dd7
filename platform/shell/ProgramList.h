// The home screen's list of programs: the entries, the highlighted row and the
// rows in view. No window code: the home screen window draws what this holds.
#pragma once

#include "platform/shell/StartMenu.h"

#include <string>
#include <vector>

namespace vellumate {

class ProgramList {
public:
    // Replaces the entries. The highlight stays on the program of the same
    // name when it is still there, else on the same position as far as the
    // new list reaches.
    void Assign(std::vector<StartMenuEntry> entries);

    // How many rows the window shows at once (at least one).
    void SetVisibleRows(int rows);

    // Moves the highlight by `delta` rows, stopping at either end. Returns
    // whether anything changed.
    bool MoveHighlight(int delta);

    // Highlights row `index`; false when there is no such row.
    bool SetHighlight(int index);

    const std::vector<StartMenuEntry>& Entries() const noexcept { return m_entries; }
    int Count() const noexcept { return static_cast<int>(m_entries.size()); }
    int Highlight() const noexcept { return m_highlight; }  // -1 when empty
    int TopRow() const noexcept { return m_topRow; }
    int VisibleRows() const noexcept { return m_visibleRows; }
    const StartMenuEntry* Current() const noexcept;

    // The rows in view, one line each, the highlighted one marked "> " and the
    // others indented by two spaces (the screen-text convention).
    std::wstring VisibleText() const;

private:
    void ScrollToHighlight();

    std::vector<StartMenuEntry> m_entries;
    int m_highlight = -1;
    int m_topRow = 0;
    int m_visibleRows = 1;
};

}  // namespace vellumate
