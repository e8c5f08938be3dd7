// The rows of one popup menu as the handset shows them, read from the HMENU
// after the program has prepared it (WM_INITMENUPOPUP), and the rules of the
// highlight: it skips separators and greyed items and wraps at either end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace vellumate {

enum class MenuMark { None, Check, Radio };

struct MenuRow {
    std::wstring text;
    UINT command = 0;
    HMENU submenu = nullptr;  // owned by the menu, not by the row
    bool separator = false;
    bool greyed = false;
    MenuMark mark = MenuMark::None;
    wchar_t number = 0;  // the number key that picks the row ('1'..'9', '0'), or 0

    bool Selectable() const noexcept { return !separator && !greyed; }
};

class MenuRows {
public:
    MenuRows() = default;
    explicit MenuRows(std::vector<MenuRow> rows);

    // Reads every item of `menu`: text, id, state, check and radio marks.
    static MenuRows Read(HMENU menu);

    const std::vector<MenuRow>& Rows() const noexcept { return m_rows; }
    int Count() const noexcept { return static_cast<int>(m_rows.size()); }

    // The highlighted row, or -1 when no row can be chosen.
    int Highlight() const noexcept { return m_highlight; }
    const MenuRow* Highlighted() const noexcept;

    // Moves the highlight to the next selectable row up (-1) or down (+1),
    // wrapping around; false when it stayed where it was.
    bool Move(int direction) noexcept;
    // Highlights `row` when it can be chosen.
    bool SetHighlight(int row) noexcept;

    // The row a number key stands for ('1'..'9', '0'), whether or not it can
    // be chosen.
    std::optional<int> RowForNumber(wchar_t digit) const noexcept;

    // Rows first..last (inclusive) as text for readers of the screen, one
    // line each: the highlighted row begins with "> ", the others with two
    // spaces; then the number, the text and the marks in brackets ("[radio]",
    // "[checked]", "[more]" for a submenu, "[dimmed]"); a separator is "----".
    std::wstring ScreenText(int first, int last) const;

private:
    std::vector<MenuRow> m_rows;
    int m_highlight = -1;
};

}  // namespace vellumate
