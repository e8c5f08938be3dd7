#include "filemanager/ListPane.h"

#include "filemanager/resource.h"
#include "framework/Globals.h"
#include "framework/ResourceModule.h"

#include "platform/Painting.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"

#include <string_view>

namespace {

constexpr int SizeColumnWidth = 30;

} // namespace

bool ListPane::Create(HWND parent, const RECT& rect, DWORD preferences)
{
    const HINSTANCE instance = ProgramModule();
    if (!RegisterWindowClass(instance, ListPaneClass, CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW)) ||
        !CreateWindowObject(instance, ListPaneClass, L"", WS_CHILD | WS_VSCROLL, 0, rect, parent))
        return false;
    SetWindowLongPtrW(window_, GWLP_ID, IDC_FOLDER_LIST);
    m_painter.SetPreferences(preferences);
    m_list.SetRowsPerPage((rect.bottom - rect.top) / ListRowHeight);
    SyncScrollBar();

    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = parent;
    bar.dwFlags = SHCMBF_HIDDEN;
    bar.nToolBarId = IDM_LIST_BAR;
    bar.hInstRes = ResourceModule();
    if (!SHCreateMenuBar(&bar))
        return false;
    m_menuBar = bar.hwndMB;
    // Back comes to the program (as WM_HOTKEY to the main window): it climbs
    // the folders instead of leaving for the home screen.
    SendMessageW(m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE,
                 MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY));
    return true;
}

void ListPane::SetPreferences(DWORD preferences)
{
    m_painter.SetPreferences(preferences);
    Repaint();
}

void ListPane::SyncScrollBar()
{
    if (!window_)
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!m_list.FitsOnOnePage()) {
        info.nMax = m_list.ItemCount() - 1;
        info.nPage = static_cast<UINT>(m_list.RowsPerPage());
    }
    info.nPos = m_list.TopRow();
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
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
    if (!window_ || row < 0 || row >= m_list.RowsPerPage())
        return;
    RECT client{};
    GetClientRect(window_, &client);
    const RECT rect{client.left, row * ListRowHeight, client.right, (row + 1) * ListRowHeight};
    InvalidateRect(window_, &rect, FALSE);
}

void ListPane::Repaint()
{
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
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
    GetWindowRect(window_, &rect);
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
    vellumate::BufferedPaint paint(window_);
    const String rows = PaintRows(paint.Dc(), paint.Client());
    PublishScreenText(window_, std::wstring_view(rows.Chars(), static_cast<size_t>(rows.Length())));
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
        WithdrawScreenText(window_);
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}
