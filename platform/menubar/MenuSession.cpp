#include "platform/menubar/MenuSession.h"

#include "platform/menubar/SoftKeyBarWindow.h"

namespace vellumate {

std::shared_ptr<MenuSession> MenuSession::Open(HWND barWindow, int key)
{
    const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(barWindow);
    if (!bar || !bar->IsPopupKey(key))
        return nullptr;
    std::shared_ptr<MenuSession> session(new MenuSession(barWindow, key));
    if (!session->OpenLevel(::GetSubMenu(bar->Menu(), key), static_cast<UINT>(key)))
        return nullptr;
    return session;
}

MenuSession::~MenuSession()
{
    Close();
}

bool MenuSession::OpenLevel(HMENU menu, UINT position)
{
    const SoftKeyBarWindow* bar = SoftKeyBarWindow::FromWindow(m_bar);
    if (!bar || !menu)
        return false;
    const std::size_t depth = m_levels.size();
    // The program greys, checks and radio-marks its items now, as it would for
    // a desktop menu.
    ::SendMessageW(bar->Parent(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(position, FALSE));
    bar = SoftKeyBarWindow::FromWindow(m_bar);
    if (!bar || m_levels.size() != depth || (depth > 0 && Closed()) || !::IsMenu(menu))
        return false;  // the program ended the bar or the menu meanwhile

    MenuRows rows = MenuRows::Read(menu);
    if (rows.Count() == 0)
        return false;
    PopupAnchor anchor;
    if (m_levels.empty()) {
        anchor.kind = m_key == LeftSoftKey ? PopupAnchor::Kind::LeftSoftKey : PopupAnchor::Kind::RightSoftKey;
    } else {
        anchor.kind = PopupAnchor::Kind::Submenu;
        anchor.parentRect = m_levels.back()->ScreenRect();
        anchor.rowTop = m_levels.back()->HighlightTop();
    }
    std::unique_ptr<MenuPopupWindow> popup = MenuPopupWindow::Create(m_bar, std::move(rows), anchor);
    if (!popup)
        return false;
    m_levels.push_back(std::move(popup));
    return true;
}

MenuOutcome MenuSession::OnKeyDown(UINT virtualKey)
{
    if (Closed())
        return MenuOutcome{true, std::nullopt};
    MenuPopupWindow& top = *m_levels.back();
    switch (virtualKey) {
    case VK_UP:
        top.Move(-1);
        return {};
    case VK_DOWN:
        top.Move(1);
        return {};
    case VK_RETURN:
        return ChooseHighlighted();
    case VK_RIGHT:
        if (const MenuRow* row = top.Rows().Highlighted(); row && row->submenu)
            return Choose(top.Rows().Highlight());
        return {};
    case VK_LEFT:
        if (Depth() > 1)
            CloseTopLevel();
        return {};
    case VK_ESCAPE:
        CloseTopLevel();
        return MenuOutcome{Closed(), std::nullopt};
    default:
        break;
    }
    wchar_t digit = 0;
    if (virtualKey >= L'0' && virtualKey <= L'9')
        digit = static_cast<wchar_t>(virtualKey);
    else if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
        digit = static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0));
    if (digit) {
        const std::optional<int> row = top.Rows().RowForNumber(digit);
        if (row && top.SetHighlight(*row))
            return Choose(*row);
    }
    return {};  // every other key is ignored while the menu is open
}

MenuOutcome MenuSession::ChooseHighlighted()
{
    if (Closed())
        return MenuOutcome{true, std::nullopt};
    return Choose(m_levels.back()->Rows().Highlight());
}

MenuOutcome MenuSession::Choose(int rowIndex)
{
    const MenuRows& rows = m_levels.back()->Rows();
    if (rowIndex < 0 || rowIndex >= rows.Count())
        return {};
    const MenuRow& row = rows.Rows()[static_cast<std::size_t>(rowIndex)];
    if (!row.Selectable())
        return {};
    if (row.submenu) {
        if (!OpenLevel(row.submenu, static_cast<UINT>(rowIndex)) && Closed())
            return MenuOutcome{true, std::nullopt};
        return {};
    }
    return MenuOutcome{true, row.command};
}

void MenuSession::CloseTopLevel() noexcept
{
    if (!m_levels.empty())
        m_levels.pop_back();
}

void MenuSession::Close() noexcept
{
    // The newest first: a submenu never outlives the popup it came from.
    while (!m_levels.empty())
        m_levels.pop_back();
}

}  // namespace vellumate
