// An open popup menu of a soft key, with the submenus opened from it: a stack
// of popup windows, the top one taking the keys. The key router hands it every
// key while it is open; what the user chose comes back as an outcome that the
// router carries out after the session has been put away, because choosing
// ends the session and a command may end far more (the dialog, the bar).
#pragma once

#include "platform/menubar/MenuPopupWindow.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

namespace vellumate {

struct MenuOutcome {
    bool close = false;           // the session is over
    std::optional<UINT> command;  // ... because this command was chosen
};

class MenuSession {
public:
    // Opens the popup of soft key `key` of `bar`. The bar's parent gets
    // WM_INITMENUPOPUP first. Nothing when the popup is empty, the bar went
    // away meanwhile, or a window cannot be made.
    static std::shared_ptr<MenuSession> Open(HWND bar, int key);

    ~MenuSession();
    MenuSession(const MenuSession&) = delete;
    MenuSession& operator=(const MenuSession&) = delete;

    HWND Bar() const noexcept { return m_bar; }
    int Key() const noexcept { return m_key; }
    bool Closed() const noexcept { return m_levels.empty(); }
    // How many popups are open (the soft key's and its submenus).
    int Depth() const noexcept { return static_cast<int>(m_levels.size()); }

    // A key pressed while the menu is open (F1/F2 excepted, see Choose).
    MenuOutcome OnKeyDown(UINT virtualKey);
    // The soft key that opened the menu chooses the highlighted item.
    MenuOutcome ChooseHighlighted();

    // Destroys every popup window; the session is over.
    void Close() noexcept;

private:
    MenuSession(HWND bar, int key) : m_bar(bar), m_key(key) {}
    bool OpenLevel(HMENU menu, UINT position);
    MenuOutcome Choose(int row);
    void CloseTopLevel() noexcept;

    HWND m_bar;
    int m_key;
    std::vector<std::unique_ptr<MenuPopupWindow>> m_levels;
};

}  // namespace vellumate
