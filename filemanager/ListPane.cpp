#include "filemanager/ListPane.h"

#include "filemanager/resource.h"
#include "framework/Globals.h"
#include "framework/MenuBars.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"

#include <string_view>

namespace {

constexpr int SizeColumnWidth = 30;

}  // namespace

bool ListPane::Create(HWND parent, const RECT& rect, DWORD preferences)
{
    const HINSTANCE instance = ProgramModule();
    if (!RegisterWindowClass(instance, ListPaneClass, CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW)) ||
        !CreateWindowObject(instance, ListPaneClass, L"", WS_CHILD | WS_VSCROLL, 0, rect, parent))
        return false;
    SetWindowLongPtrW(m_window, GWLP_ID, IDC_FOLDER_LIST);
    m_painter.SetPreferences(preferences);
    m_list.SetRowsPerPage((rect.bottom - rect.top) / ListRowHeight);
    SyncScrollBar();

    // Back comes to the program (as WM_HOTKEY to the main window): it climbs
    // the folders instead of leaving for the home screen.
    m_menuBar = CreateMenuBar(parent, IDM_LIST_BAR, BackKey::ToProgram, true);
    return m_menuBar != nullptr;
}

void ListPane::SetPreferences(DWORD preferences)
{
    m_painter.SetPreferences(preferences);
    Repaint();
}

void ListPane::SyncScrollBar()
{
    if (!m_window)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!m_list.FitsOnOnePage()) {
        info.nMax = m_list.ItemCount() - 1;
        info.nPage = static_cast<UINT>(m_list.RowsPerPage());
    }
    info.nPos = m_list.TopRow();
    SetScrollInfo(m_window, SB_VERT, &info, TRUE);
}

void ListPane::ShowChange(const SelectionChange& change)
{
    if (change.scrolled) {
        SyncScrollBar();
        Repaint();
    } else {
        for (int index : change.rows)
            RepaintRow(index);
    }
    if (change.Any())
        m_host.OnSelectionChanged();
}

void ListPane::RepaintRow(int index)
{
    const int row = index - m_list.TopRow();
    if (!m_window || row < 0 || row >= m_list.RowsPerPage())
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    const RECT rect{client.left, row * ListRowHeight, client.right, (row + 1) * ListRowHeight};
    InvalidateRect(m_window, &rect, FALSE);
}

void ListPane::Repaint()
{
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

void ListPane::OnIconsCleared(bool onOwnThread)
{
    if (onOwnThread)
        m_painter.ClearIcons();
    else
        m_iconsStale = true;
}

int ListPane::NameColumnEnd() const
{
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return (rect.right - rect.left) - GetSystemMetrics(SM_CXVSCROLL) - SizeColumnWidth;
}

String ListPane::PaintRows(HDC dc, const RECT& area)
{
    if (m_iconsStale.exchange(false))
        m_painter.ClearIcons();
    return m_painter.Paint(dc, area, NameColumnEnd(), m_list);
}

void ListPane::OnPaint()
{
    vellumate::BufferedPaint paint(m_window);
    const String rows = PaintRows(paint.Dc(), paint.Client());
    PublishScreenText(m_window, std::wstring_view(rows.Chars(), static_cast<size_t>(rows.Length())));
}

LRESULT ListPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // every pixel is painted through the off-screen bitmap
    case WM_KEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_DESTROY:
        WithdrawScreenText(m_window);
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}
