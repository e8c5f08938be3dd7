#include "platform/menubar/MenuRows.h"

#include "platform/menubar/MenuBarResource.h"

namespace vellumate {
namespace {

// As on a handset: the first nine items answer to 1 to 9, the tenth to 0.
constexpr wchar_t NumberKeys[] = L"1234567890";
constexpr int NumberedRows = 10;

}  // namespace

MenuRows::MenuRows(std::vector<MenuRow> rows) : m_rows(std::move(rows))
{
    int numbered = 0;
    for (MenuRow& row : m_rows) {
        row.number = 0;
        if (!row.separator && numbered < NumberedRows)
            row.number = NumberKeys[numbered++];
    }
    for (int index = 0; index < Count(); ++index) {
        if (m_rows[static_cast<std::size_t>(index)].Selectable()) {
            m_highlight = index;
            break;
        }
    }
}

MenuRows MenuRows::Read(HMENU menu)
{
    std::vector<MenuRow> rows;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
            continue;
        MenuRow row;
        row.separator = (info.fType & MFT_SEPARATOR) != 0;
        if (!row.separator) {
            row.text = DisplayText(MenuItemText(menu, static_cast<UINT>(position)));
            row.command = info.wID;
            row.submenu = info.hSubMenu;
            row.greyed = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
            if (info.fState & MFS_CHECKED)
                row.mark = (info.fType & MFT_RADIOCHECK) ? MenuMark::Radio : MenuMark::Check;
        }
        rows.push_back(std::move(row));
    }
    return MenuRows(std::move(rows));
}

const MenuRow* MenuRows::Highlighted() const noexcept
{
    return m_highlight >= 0 ? &m_rows[static_cast<std::size_t>(m_highlight)] : nullptr;
}

bool MenuRows::Move(int direction) noexcept
{
    if (m_highlight < 0 || direction == 0)
        return false;
    const int step = direction > 0 ? 1 : -1;
    for (int tried = 1; tried < Count(); ++tried) {
        const int candidate = ((m_highlight + step * tried) % Count() + Count()) % Count();
        if (m_rows[static_cast<std::size_t>(candidate)].Selectable()) {
            m_highlight = candidate;
            return true;
        }
    }
    return false;
}

bool MenuRows::SetHighlight(int row) noexcept
{
    if (row < 0 || row >= Count() || !m_rows[static_cast<std::size_t>(row)].Selectable())
        return false;
    m_highlight = row;
    return true;
}

std::optional<int> MenuRows::RowForNumber(wchar_t digit) const noexcept
{
    for (int index = 0; index < Count(); ++index) {
        if (m_rows[static_cast<std::size_t>(index)].number == digit)
            return index;
    }
    return std::nullopt;
}

std::wstring MenuRows::ScreenText(int first, int last) const
{
    std::wstring text;
    const int start = first < 0 ? 0 : first;
    for (int index = start; index <= last && index < Count(); ++index) {
        const MenuRow& row = m_rows[static_cast<std::size_t>(index)];
        if (index > start)
            text += L'\n';
        text += index == m_highlight ? L"> " : L"  ";
        if (row.separator) {
            text += L"----";
            continue;
        }
        text += row.number ? row.number : L' ';
        text += L' ';
        text += row.text;
        if (row.mark == MenuMark::Check)
            text += L" [checked]";
        else if (row.mark == MenuMark::Radio)
            text += L" [radio]";
        if (row.submenu)
            text += L" [more]";
        if (row.greyed)
            text += L" [dimmed]";
    }
    return text;
}

}  // namespace vellumate
