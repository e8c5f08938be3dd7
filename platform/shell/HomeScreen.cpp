#include "platform/shell/HomeScreen.h"

#include "platform/Handset.h"
#include "platform/Painting.h"
#include "platform/SystemMessage.h"
#include "platform/ScreenText.h"
#include "platform/SoftKeyBar.h"
#include "platform/shell/FrontWindow.h"
#include "platform/shell/Launch.h"
#include "platform/shell/Notice.h"
#include "platform/shell/ShellResources.h"
#include "platform/HandsetStyle.h"

#include <shellapi.h>

#include <algorithm>

namespace vellumate {
namespace {

constexpr int RowHeight = 22;
constexpr int IconSize = 16;
constexpr int IconLeft = 5;
constexpr int TextLeft = IconLeft + IconSize + 6;

constexpr wchar_t EmptyText[] = L"No programs";
constexpr wchar_t AboutText[] =
    L"Vellumate\nA keypad handset with a 176 \u00D7 220 screen, running the Vellumate programs.";

// Wine does not always give the front to another window when the program in
// front ends; the home screen then takes it, as a handset always shows
// something that takes keys.
constexpr UINT_PTR FrontWatchTimer = 1;
constexpr UINT FrontWatchIntervalMs = 250;

}  // namespace

bool HomeScreen::Create(HINSTANCE instance, std::wstring drive)
{
    m_instance = instance;
    m_drive = std::move(drive);
    m_folder = StartMenuFolder(m_drive);
    m_font = MakeInterfaceFont(13);
    m_neutralIcon =
        static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, IconSize, IconSize, LR_SHARED));
    m_list.SetVisibleRows(WorkAreaHeight / RowHeight);

    if (!RegisterWindowClass(instance, HomeScreenClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT rect{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    if (!CreateWindowObject(instance, HomeScreenClass, HomeScreenTitle, WS_POPUP, 0, rect))
        return false;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = m_window;
    bar.nToolBarId = IDM_HOME_BAR;
    bar.hInstRes = instance;
    if (!SHCreateMenuBar(&bar))
        return false;
    m_menuBar = bar.hwndMB;
    Reload();
    ::ShowWindow(m_window, SW_SHOW);
    ::SetForegroundWindow(m_window);
    ::SetTimer(m_window, FrontWatchTimer, FrontWatchIntervalMs, nullptr);
    return true;
}

void HomeScreen::OnFolderChanged()
{
    m_watch.Rearm();
    Reload();
}

LRESULT HomeScreen::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Reload();  // coming back home: programs may have been added
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        ::EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_HOME_START,
                         MF_BYCOMMAND | (m_list.Current() ? MF_ENABLED : MF_GRAYED));
        return 0;
    case WM_TIMER:
        if (wParam == FrontWatchTimer && !FrontWindow() && ::IsWindowEnabled(m_window))
            ::SetForegroundWindow(m_window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, FrontWatchTimer);
        WithdrawScreenText(m_window);
        m_menuBar = nullptr;  // the bar goes with its parent
        return 0;
    default:
        return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void HomeScreen::Reload()
{
    m_watch.Watch(m_folder);
    m_list.Assign(ListStartMenu(m_folder));
    // With nothing to start, the left soft key shows dimmed.
    TBBUTTONINFOW start{};
    start.cbSize = sizeof start;
    start.dwMask = TBIF_STATE;
    start.fsState = m_list.Current() ? TBSTATE_ENABLED : 0;
    ::SendMessageW(m_menuBar, TB_SETBUTTONINFOW, IDM_HOME_START, reinterpret_cast<LPARAM>(&start));
    // Forget programs that went away and retry those that had no icon.
    std::erase_if(m_icons, [&](const auto& cached) {
        if (!cached.second)
            return true;
        return std::none_of(m_list.Entries().begin(), m_list.Entries().end(), [&](const StartMenuEntry& entry) {
            return entry.content.shortcut &&
                   BuildLaunchCommand(*entry.content.shortcut, m_drive).applicationPath == cached.first;
        });
    });
    ::InvalidateRect(m_window, nullptr, FALSE);
}

void HomeScreen::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_UP:
        if (m_list.MoveHighlight(-1))
            ::InvalidateRect(m_window, nullptr, FALSE);
        break;
    case VK_DOWN:
        if (m_list.MoveHighlight(1))
            ::InvalidateRect(m_window, nullptr, FALSE);
        break;
    case VK_RETURN:
        StartCurrent();
        break;
    default:
        if (key >= L'1' && key <= L'9' && static_cast<int>(key - L'1') < m_list.Count()) {
            if (m_list.SetHighlight(static_cast<int>(key - L'1'))) {
                ::InvalidateRect(m_window, nullptr, FALSE);
                ::UpdateWindow(m_window);  // show the choice before the program starts
            }
            StartCurrent();
        }
        break;
    }
}

void HomeScreen::OnCommand(UINT command)
{
    switch (command) {
    case IDM_HOME_START:
        StartCurrent();
        break;
    case IDM_HOME_REFRESH:
        Reload();
        break;
    case IDM_HOME_ABOUT:
        ShowAbout();
        break;
    default:
        break;
    }
}

void HomeScreen::ShowAbout() const
{
    ShowNotice(m_instance, m_window, HomeScreenTitle, AboutText, NoticeKind::Information);
}

void HomeScreen::StartCurrent()
{
    const StartMenuEntry* entry = m_list.Current();
    if (!entry)
        return;
    switch (entry->content.error) {
    case ShortcutError::Unreadable:
        ShowError(L"The shortcut \u201C" + entry->name + L"\u201D cannot be read.");
        return;
    case ShortcutError::Damaged:
        ShowError(L"The shortcut \u201C" + entry->name + L"\u201D is damaged.");
        return;
    case ShortcutError::None:
        break;
    }
    const DWORD error = StartProgram(BuildLaunchCommand(*entry->content.shortcut, m_drive));
    if (error != ERROR_SUCCESS)
        ShowError(entry->name + L" cannot be started.\n" + SystemMessage(error) + L".");
}

void HomeScreen::ShowError(const std::wstring& text) const
{
    ShowNotice(m_instance, m_window, HomeScreenTitle, text, NoticeKind::Error);
}

HICON HomeScreen::IconFor(const StartMenuEntry& entry)
{
    if (!entry.content.shortcut)
        return m_neutralIcon;
    const std::wstring path = BuildLaunchCommand(*entry.content.shortcut, m_drive).applicationPath;
    if (path.empty())
        return m_neutralIcon;
    auto cached = m_icons.find(path);
    if (cached == m_icons.end()) {
        HICON small = nullptr;
        if (::ExtractIconExW(path.c_str(), 0, nullptr, &small, 1) == 0)
            small = nullptr;
        cached = m_icons.emplace(path, IconHandle(small)).first;
    }
    return cached->second ? cached->second.Get() : m_neutralIcon;
}

void HomeScreen::Paint()
{
    BufferedPaint paint(m_window);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style::Background);
    SelectObjectScope font(dc, m_font.Get());
    ::SetBkMode(dc, TRANSPARENT);

    if (m_list.Count() == 0) {
        RECT rect = client;
        ::SetTextColor(dc, style::DimText);
        ::DrawTextW(dc, EmptyText, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        Publish();
        return;
    }

    const bool scrolls = m_list.Count() > m_list.VisibleRows();
    const int rowRight = client.right - (scrolls ? style::ScrollBarWidth + 1 : 0);
    const int end = std::min(m_list.Count(), m_list.TopRow() + m_list.VisibleRows());
    for (int row = m_list.TopRow(); row < end; ++row) {
        const int top = client.top + (row - m_list.TopRow()) * RowHeight;
        PaintRow(dc, row, RECT{client.left, top, rowRight, top + RowHeight});
    }

    if (scrolls)
        PaintScrollBar(dc, RECT{client.right - style::ScrollBarWidth, client.top, client.right, client.bottom},
                       m_list.TopRow(), end, m_list.Count());
    Publish();
}

void HomeScreen::PaintRow(HDC dc, int row, const RECT& rect)
{
    const StartMenuEntry& entry = m_list.Entries()[static_cast<std::size_t>(row)];
    const bool highlighted = row == m_list.Highlight();
    if (highlighted)
        FillVerticalGradient(dc, rect, style::HighlightTop, style::HighlightBottom);

    const HICON icon = IconFor(entry);
    if (icon)
        ::DrawIconEx(dc, rect.left + IconLeft, rect.top + (RowHeight - IconSize) / 2, icon, IconSize, IconSize, 0,
                     nullptr, DI_NORMAL);

    RECT textRect{rect.left + TextLeft, rect.top, rect.right - 2, rect.bottom};
    ::SetTextColor(dc, highlighted ? style::HighlightText : entry.content.shortcut ? style::Text : style::DimText);
    ::DrawTextW(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void HomeScreen::Publish() const
{
    PublishScreenText(m_window, m_list.Count() == 0 ? std::wstring(EmptyText) : m_list.VisibleText());
}

}  // namespace vellumate
