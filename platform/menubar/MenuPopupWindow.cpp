#include "platform/menubar/MenuPopupWindow.h"

#include "platform/Handset.h"
#include "platform/HandsetStyle.h"
#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/menubar/ModuleInstance.h"

#include <algorithm>

namespace vellumate {
namespace {

constexpr int Border = 1;
constexpr int RowHeightPixels = 18;
constexpr int SeparatorHeight = 7;
constexpr int Padding = 4;
constexpr int NumberWidth = 9;
constexpr int MarkWidth = 11;
constexpr int MoreWidth = 8;
constexpr int MinimumWidth = 90;
constexpr int SubmenuIndent = 14;

constexpr int TextLeft = Border + Padding + NumberWidth + Padding + MarkWidth;
constexpr int ScreenBottom = ScreenHeight - MenuBarHeight;  // popups rise from the bar

constexpr COLORREF NumberText = RGB(90, 104, 134);
constexpr COLORREF SeparatorLine = RGB(200, 206, 218);

bool RegisterPopupClass(WNDPROC procedure) noexcept
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_SAVEBITS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ThisModule();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = MenuPopupClass;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void DrawCheck(HDC dc, int left, int middle, COLORREF colour)
{
    PenHandle pen(::CreatePen(PS_SOLID, 2, colour));
    SelectObjectScope selected(dc, pen.Get());
    const POINT points[] = {{left + 1, middle}, {left + 3, middle + 3}, {left + 8, middle - 3}};
    ::Polyline(dc, points, 3);
}

void DrawRadio(HDC dc, int left, int middle, COLORREF colour)
{
    BrushHandle brush(::CreateSolidBrush(colour));
    PenHandle pen(::CreatePen(PS_SOLID, 1, colour));
    SelectObjectScope selectedBrush(dc, brush.Get());
    SelectObjectScope selectedPen(dc, pen.Get());
    ::Ellipse(dc, left + 2, middle - 3, left + 8, middle + 3);
}

void DrawMore(HDC dc, int right, int middle, COLORREF colour)
{
    BrushHandle brush(::CreateSolidBrush(colour));
    PenHandle pen(::CreatePen(PS_SOLID, 1, colour));
    SelectObjectScope selectedBrush(dc, brush.Get());
    SelectObjectScope selectedPen(dc, pen.Get());
    const POINT points[] = {{right - 6, middle - 4}, {right - 2, middle}, {right - 6, middle + 4}};
    ::Polygon(dc, points, 3);
}

}  // namespace

std::unique_ptr<MenuPopupWindow> MenuPopupWindow::Create(HWND owner, MenuRows rows, const PopupAnchor& anchor)
{
    if (!RegisterPopupClass(&Procedure))
        return nullptr;
    std::unique_ptr<MenuPopupWindow> popup(new MenuPopupWindow(std::move(rows)));
    popup->m_font = MakeInterfaceFont(13);

    const SIZE size = popup->Measure();
    RECT rect{};
    switch (anchor.kind) {
    case PopupAnchor::Kind::LeftSoftKey:
        rect = RECT{0, ScreenBottom - size.cy, size.cx, ScreenBottom};
        break;
    case PopupAnchor::Kind::RightSoftKey:
        rect = RECT{ScreenWidth - size.cx, ScreenBottom - size.cy, ScreenWidth, ScreenBottom};
        break;
    case PopupAnchor::Kind::Submenu: {
        const int left = std::clamp(static_cast<int>(anchor.parentRect.left) + SubmenuIndent, 0,
                                    std::max(0, ScreenWidth - static_cast<int>(size.cx)));
        const int top =
            std::clamp(anchor.rowTop, WorkAreaTop, std::max(WorkAreaTop, ScreenBottom - static_cast<int>(size.cy)));
        rect = RECT{left, top, left + size.cx, top + size.cy};
        break;
    }
    }

    // Topmost and never active: above the program's windows, while the keys
    // stay with the program's focus window and come here through the router.
    const HWND window = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, MenuPopupClass, L"",
                                          WS_POPUP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                          owner, nullptr, ThisModule(), popup.get());
    if (!window)
        return nullptr;
    popup->ScrollToHighlight();
    popup->Changed();
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(window);
    return popup;
}

MenuPopupWindow::~MenuPopupWindow()
{
    if (m_window) {
        const HWND window = m_window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_window = nullptr;
        WithdrawScreenText(window);
        ::DestroyWindow(window);
    }
}

LRESULT CALLBACK MenuPopupWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    MenuPopupWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MenuPopupWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MenuPopupWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT MenuPopupWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_NCDESTROY:
        // Destroyed from outside (its owner went): the object stays, windowless.
        WithdrawScreenText(m_window);
        ::SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_window = nullptr;
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

bool MenuPopupWindow::Move(int direction)
{
    if (!m_rows.Move(direction))
        return false;
    ScrollToHighlight();
    Changed();
    return true;
}

bool MenuPopupWindow::SetHighlight(int row)
{
    if (!m_rows.SetHighlight(row))
        return false;
    ScrollToHighlight();
    Changed();
    ::UpdateWindow(m_window);  // the choice shows before whatever it starts
    return true;
}

RECT MenuPopupWindow::ScreenRect() const noexcept
{
    RECT rect{};
    ::GetWindowRect(m_window, &rect);
    return rect;
}

int MenuPopupWindow::HighlightTop() const noexcept
{
    const RECT rect = ScreenRect();
    int top = rect.top + Border;
    for (int row = m_topRow; row < m_rows.Highlight(); ++row)
        top += RowHeight(row);
    return top;
}

SIZE MenuPopupWindow::Measure() const
{
    WindowDC screen(nullptr);
    SelectObjectScope font(screen.Get(), m_font.Get());
    int textWidth = 0;
    bool anySubmenu = false;
    for (const MenuRow& row : m_rows.Rows()) {
        if (row.separator)
            continue;
        SIZE extent{};
        ::GetTextExtentPoint32W(screen.Get(), row.text.c_str(), static_cast<int>(row.text.size()), &extent);
        textWidth = std::max(textWidth, static_cast<int>(extent.cx));
        anySubmenu = anySubmenu || row.submenu != nullptr;
    }
    const int height = std::min(ContentHeight() + 2 * Border, ScreenBottom - WorkAreaTop);
    const bool scrolls = ContentHeight() + 2 * Border > height;
    int width = TextLeft + textWidth + Padding + (anySubmenu ? MoreWidth : 0) + (scrolls ? style::ScrollBarWidth : 0) +
                Padding + Border;
    width = std::clamp(width, MinimumWidth, ScreenWidth);
    return SIZE{width, height};
}

int MenuPopupWindow::RowHeight(int row) const noexcept
{
    return m_rows.Rows()[static_cast<std::size_t>(row)].separator ? SeparatorHeight : RowHeightPixels;
}

int MenuPopupWindow::ContentHeight() const noexcept
{
    int height = 0;
    for (int row = 0; row < m_rows.Count(); ++row)
        height += RowHeight(row);
    return height;
}

void MenuPopupWindow::ScrollToHighlight() noexcept
{
    const int highlight = m_rows.Highlight();
    if (highlight < 0 || !m_window)
        return;
    RECT client{};
    ::GetClientRect(m_window, &client);
    const int room = client.bottom - 2 * Border;
    if (highlight < m_topRow)
        m_topRow = highlight;
    const auto heightTo = [&](int first, int last) {  // rows first..last, inclusive
        int height = 0;
        for (int row = first; row <= last; ++row)
            height += RowHeight(row);
        return height;
    };
    while (m_topRow < highlight && heightTo(m_topRow, highlight) > room)
        ++m_topRow;
    // Near the top, the rows above the highlight (separators, greyed items)
    // show as well.
    if (heightTo(0, highlight) <= room)
        m_topRow = 0;
}

int MenuPopupWindow::LastVisibleRow() const noexcept
{
    RECT client{};
    ::GetClientRect(m_window, &client);
    int top = client.top + Border;
    int last = m_topRow;
    for (int row = m_topRow; row < m_rows.Count() && top < client.bottom - Border; ++row) {
        last = row;
        top += RowHeight(row);
    }
    return last;
}

void MenuPopupWindow::Changed()
{
    ::InvalidateRect(m_window, nullptr, FALSE);
    PublishScreenText(m_window, m_rows.ScreenText(m_topRow, LastVisibleRow()));
}

void MenuPopupWindow::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style::Background);

    const bool scrolls = ContentHeight() + 2 * Border > client.bottom;
    const int rowRight = client.right - Border - (scrolls ? style::ScrollBarWidth : 0);
    SelectObjectScope font(dc, m_font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    const int lastVisible = LastVisibleRow();
    int top = client.top + Border;
    for (int row = m_topRow; row <= lastVisible; ++row) {
        const int height = RowHeight(row);
        PaintRow(dc, row, RECT{client.left + Border, top, rowRight, top + height});
        top += height;
    }

    if (scrolls)
        PaintScrollBar(dc, RECT{rowRight, client.top + Border, client.right - Border, client.bottom - Border}, m_topRow,
                       lastVisible + 1, m_rows.Count());

    // The frame last, over whatever a clipped row left at the edge.
    BrushHandle frame(::CreateSolidBrush(style::BarEdge));
    ::FrameRect(dc, &client, frame.Get());
}

void MenuPopupWindow::PaintRow(HDC dc, int index, const RECT& rect) const
{
    const MenuRow& row = m_rows.Rows()[static_cast<std::size_t>(index)];
    if (row.separator) {
        const int middle = (rect.top + rect.bottom) / 2;
        FillSolid(dc, RECT{rect.left + Padding, middle, rect.right - Padding, middle + 1}, SeparatorLine);
        return;
    }
    const bool highlighted = index == m_rows.Highlight();
    if (highlighted)
        FillVerticalGradient(dc, rect, style::HighlightTop, style::HighlightBottom);
    const COLORREF text = highlighted ? style::HighlightText : row.greyed ? style::DimText : style::Text;
    const int middle = (rect.top + rect.bottom) / 2;

    if (row.number) {
        ::SetTextColor(dc, highlighted ? style::HighlightText : row.greyed ? style::DimText : NumberText);
        RECT numberRect{rect.left + Padding, rect.top, rect.left + Padding + NumberWidth, rect.bottom};
        const wchar_t digit[] = {row.number, L'\0'};
        ::DrawTextW(dc, digit, 1, &numberRect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    const int markLeft = rect.left + Padding + NumberWidth + Padding - 1;
    if (row.mark == MenuMark::Check)
        DrawCheck(dc, markLeft, middle, text);
    else if (row.mark == MenuMark::Radio)
        DrawRadio(dc, markLeft, middle, text);
    if (row.submenu)
        DrawMore(dc, rect.right - Padding + 2, middle, text);

    ::SetTextColor(dc, text);
    RECT textRect{rect.left - Border + TextLeft, rect.top, rect.right - Padding - (row.submenu ? MoreWidth : 0),
                  rect.bottom};
    ::DrawTextW(dc, row.text.c_str(), static_cast<int>(row.text.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace vellumate
