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
    instance_ = instance;
    drive_ = std::move(drive);
    folder_ = StartMenuFolder(drive_);
    font_ = MakeInterfaceFont(13);
    neutralIcon_ = static_cast<HICON>(::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, IconSize, IconSize, LR_SHARED));
    list_.SetVisibleRows(WorkAreaHeight / RowHeight);

    if (!RegisterWindowClass(instance, HomeScreenClass, 0, ::LoadCursorW(nullptr, IDC_ARROW)))
        return false;
    const RECT rect{0, WorkAreaTop, ScreenWidth, WorkAreaTop + WorkAreaHeight};
    if (!CreateWindowObject(instance, HomeScreenClass, HomeScreenTitle, WS_POPUP, 0, rect))
        return false;
    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = window_;
    bar.nToolBarId = IDM_HOME_BAR;
    bar.hInstRes = instance;
    if (!SHCreateMenuBar(&bar))
        return false;
    menuBar_ = bar.hwndMB;
    Reload();
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetTimer(window_, FrontWatchTimer, FrontWatchIntervalMs, nullptr);
    return true;
}

void HomeScreen::OnFolderChanged()
{
    watch_.Rearm();
    Reload();
}

LRESULT HomeScreen::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Reload();  // coming back home: programs may have been added
        return ::DefWindowProcW(window_, message, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        ::EnableMenuItem(reinterpret_cast<HMENU>(wParam), IDM_HOME_START,
                         MF_BYCOMMAND | (list_.Current() ? MF_ENABLED : MF_GRAYED));
        return 0;
    case WM_TIMER:
        if (wParam == FrontWatchTimer && !FrontWindow() && ::IsWindowEnabled(window_))
            ::SetForegroundWindow(window_);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(window_, FrontWatchTimer);
        WithdrawScreenText(window_);
        menuBar_ = nullptr;  // the bar goes with its parent
        return 0;
    default:
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }
}

void HomeScreen::Reload()
{
    watch_.Watch(folder_);
    list_.Assign(ListStartMenu(folder_));
    // With nothing to start, the left soft key shows dimmed.
    TBBUTTONINFOW start{};
    start.cbSize = sizeof start;
    start.dwMask = TBIF_STATE;
    start.fsState = list_.Current() ? TBSTATE_ENABLED : 0;
    ::SendMessageW(menuBar_, TB_SETBUTTONINFOW, IDM_HOME_START, reinterpret_cast<LPARAM>(&start));
    // Forget programs that went away and retry those that had no icon.
    std::erase_if(icons_, [&](const auto& cached) {
        if (!cached.second)
            return true;
        return std::none_of(list_.Entries().begin(), list_.Entries().end(), [&](const StartMenuEntry& entry) {
            return entry.content.shortcut &&
                   BuildLaunchCommand(*entry.content.shortcut, drive_).applicationPath == cached.first;
        });
    });
    ::InvalidateRect(window_, nullptr, FALSE);
}

void HomeScreen::OnKeyDown(UINT key)
{
    switch (key) {
    case VK_UP:
        if (list_.MoveHighlight(-1))
            ::InvalidateRect(window_, nullptr, FALSE);
        break;
    case VK_DOWN:
        if (list_.MoveHighlight(1))
            ::InvalidateRect(window_, nullptr, FALSE);
        break;
    case VK_RETURN:
        StartCurrent();
        break;
    default:
        if (key >= L'1' && key <= L'9' && static_cast<int>(key - L'1') < list_.Count()) {
            if (list_.SetHighlight(static_cast<int>(key - L'1'))) {
                ::InvalidateRect(window_, nullptr, FALSE);
                ::UpdateWindow(window_);  // show the choice before the program starts
            }
            StartCurrent();
        }
        break;
    }
}

void HomeScreen::OnCommand(UINT command)
{
    switch (command) {
    case IDM_HOME_START: StartCurrent(); break;
    case IDM_HOME_REFRESH: Reload(); break;
    case IDM_HOME_ABOUT: ShowAbout(); break;
    default: break;
    }
}

void HomeScreen::ShowAbout() const
{
    ShowNotice(instance_, window_, HomeScreenTitle, AboutText, NoticeKind::Information);
}

void HomeScreen::StartCurrent()
{
    const StartMenuEntry* entry = list_.Current();
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
    const DWORD error = StartProgram(BuildLaunchCommand(*entry->content.shortcut, drive_));
    if (error != ERROR_SUCCESS)
        ShowError(entry->name + L" cannot be started.\n" + SystemMessage(error) + L".");
}

void HomeScreen::ShowError(const std::wstring& text) const
{
    ShowNotice(instance_, window_, HomeScreenTitle, text, NoticeKind::Error);
}

HICON HomeScreen::IconFor(const StartMenuEntry& entry)
{
    if (!entry.content.shortcut)
        return neutralIcon_;
    const std::wstring path = BuildLaunchCommand(*entry.content.shortcut, drive_).applicationPath;
    if (path.empty())
        return neutralIcon_;
    auto cached = icons_.find(path);
    if (cached == icons_.end()) {
        HICON small = nullptr;
        if (::ExtractIconExW(path.c_str(), 0, nullptr, &small, 1) == 0)
            small = nullptr;
        cached = icons_.emplace(path, IconHandle(small)).first;
    }
    return cached->second ? cached->second.Get() : neutralIcon_;
}

void HomeScreen::Paint()
{
    BufferedPaint paint(window_);
    const HDC dc = paint.Dc();
    const RECT& client = paint.Client();
    FillSolid(dc, client, style::Background);
    SelectObjectScope font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);

    if (list_.Count() == 0) {
        RECT rect = client;
        ::SetTextColor(dc, style::DimText);
        ::DrawTextW(dc, EmptyText, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        Publish();
        return;
    }

    const bool scrolls = list_.Count() > list_.VisibleRows();
    const int rowRight = client.right - (scrolls ? style::ScrollBarWidth + 1 : 0);
    const int end = std::min(list_.Count(), list_.TopRow() + list_.VisibleRows());
    for (int row = list_.TopRow(); row < end; ++row) {
        const int top = client.top + (row - list_.TopRow()) * RowHeight;
        PaintRow(dc, row, RECT{client.left, top, rowRight, top + RowHeight});
    }

    if (scrolls)
        PaintScrollBar(dc, RECT{client.right - style::ScrollBarWidth, client.top, client.right, client.bottom},
                       list_.TopRow(), end, list_.Count());
    Publish();
}

void HomeScreen::PaintRow(HDC dc, int row, const RECT& rect)
{
    const StartMenuEntry& entry = list_.Entries()[static_cast<std::size_t>(row)];
    const bool highlighted = row == list_.Highlight();
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
    PublishScreenText(window_, list_.Count() == 0 ? std::wstring(EmptyText) : list_.VisibleText());
}

}  // namespace vellumate
