// One popup menu on the screen, class "menu_popup": numbered rows in the
// handset style, check and radio marks, a mark for rows that open a submenu,
// and a scroll bar when the rows do not fit. It never takes the activation:
// the menu session feeds it keys. It publishes the rows it shows as screen
// text (MenuRows::ScreenText).
#pragma once

#include "platform/Handles.h"
#include "platform/menubar/MenuRows.h"

#include <windows.h>

#include <memory>

namespace vellumate {

inline constexpr wchar_t MenuPopupClass[] = L"menu_popup";

// Where a popup goes: a soft key's popup rises from the bar at the key's side;
// a submenu opens over its parent, a little to the right, level with the row
// that opened it.
struct PopupAnchor {
    enum class Kind { LeftSoftKey, RightSoftKey, Submenu };
    Kind kind = Kind::LeftSoftKey;
    RECT parentRect{};  // Submenu: the parent popup, screen coordinates
    int rowTop = 0;     // Submenu: top of the row that opened it, screen coordinates
};

class MenuPopupWindow {
public:
    // Creates and shows the popup, owned by `owner` (the bar).
    static std::unique_ptr<MenuPopupWindow> Create(HWND owner, MenuRows rows, const PopupAnchor& anchor);
    ~MenuPopupWindow();
    MenuPopupWindow(const MenuPopupWindow&) = delete;
    MenuPopupWindow& operator=(const MenuPopupWindow&) = delete;

    HWND Window() const noexcept { return m_window; }
    const MenuRows& Rows() const noexcept { return m_rows; }

    bool Move(int direction);
    bool SetHighlight(int row);
    // Screen rectangle of the popup and top of the highlighted row.
    RECT ScreenRect() const noexcept;
    int HighlightTop() const noexcept;

private:
    explicit MenuPopupWindow(MenuRows rows) : m_rows(std::move(rows)) {}
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    SIZE Measure() const;
    int RowHeight(int row) const noexcept;
    int ContentHeight() const noexcept;
    void ScrollToHighlight() noexcept;
    int LastVisibleRow() const noexcept;
    void Changed();
    void Paint();
    void PaintRow(HDC dc, int row, const RECT& rect) const;

    HWND m_window = nullptr;
    MenuRows m_rows;
    int m_topRow = 0;
    FontHandle m_font;
};

}  // namespace vellumate
