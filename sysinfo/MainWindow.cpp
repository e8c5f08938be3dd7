#include "sysinfo/MainWindow.h"

#include "sysinfo/PageLayout.h"
#include "sysinfo/resource.h"

#include "framework/About.h"
#include "framework/Dialogs.h"
#include "framework/Display.h"
#include "framework/ResourceModule.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"
#include "platform/ShellDialogs.h"
#include "platform/SoftKeyBar.h"

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>
#include <iterator>

namespace {

// The Back key: no default handling, delivered to us as WM_HOTKEY, both on
// press and release.
constexpr LPARAM BackKeyOverride = MAKELPARAM(SHMBOF_NODEFAULT | SHMBOF_NOTIFY, SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

PageColours SystemColours() noexcept
{
    return {GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_MENUTEXT)};
}

bool operator==(const PageColours& a, const PageColours& b) noexcept
{
    return a.highlight == b.highlight && a.title == b.title;
}

// The handset's window manager gives a program's main window the work area
// between the title strip and the soft-key bar, without a frame.
void FitToWorkArea(HWND window) noexcept
{
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
    SetWindowPos(window, nullptr, 0, vellumate::WorkAreaTop, vellumate::ScreenWidth, vellumate::WorkAreaHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool InitCommonControlsForObrel() noexcept
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

} // namespace

ProgramStartup MainWindow::Startup()
{
    ProgramStartup startup = ObrelStartup(&MainWindow::Procedure);
    startup.prepare = InitCommonControlsForObrel;
    return startup;
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    // Only windows of Obrel's class come here: no need to ask for the class.
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    try {
        if (message == WM_NCCREATE) {
            self = new MainWindow(window);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (!self)
            return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete self;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may leave a window procedure; creation fails instead.
        return message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : DefWindowProcW(window, message, wParam, lParam);
    }
}

MainWindow* MainWindow::FromWindow(HWND window) noexcept
{
    wchar_t className[16] = L"";
    if (!window || !GetClassNameW(window, className, static_cast<int>(std::size(className))) ||
        wcscmp(className, ClassName) != 0 || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return nullptr;
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_TIMER:
        if (wParam == RefreshTimer)
            OnTimer();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_HOTKEY:
        if (HIWORD(lParam) == VK_ESCAPE) {
            SHSendBackToFocusWindow(message, wParam, lParam);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        break;  // the default handling gives us the focus
    case WM_ERASEBKGND:
        return 1;  // painting covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool MainWindow::OnCreate()
{
    FitToWorkArea(m_window);

    SHMENUBARINFO bar{};
    bar.cbSize = sizeof bar;
    bar.hwndParent = m_window;
    bar.nToolBarId = IDM_OBREL_BAR;
    bar.hInstRes = ResourceModule();
    if (SHCreateMenuBar(&bar)) {
        m_menuBar = bar.hwndMB;
        SendMessageW(m_menuBar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, BackKeyOverride);
    }

    if (!m_painter.Create(SystemColours(), IsLargeFontSet(true)))
        return false;

    m_devicePage.Fill();
    for (InfoPage* page : std::initializer_list<InfoPage*>{&m_memoryPage, &m_flashPage, &m_powerPage, &m_devicePage})
        m_ring.Add(page);
    UpdateDuePages(false);  // tick 0: every page
    m_schedule.Advance();
    PageSwitched();

    SetFocus(m_window);
    return SetTimer(m_window, RefreshTimer, TimerPeriod, nullptr) != 0;
}

void MainWindow::UpdateDuePages(bool redraw)
{
    const InfoPage* current = m_ring.Current();
    for (int index = 0; index < m_ring.Count(); ++index) {
        InfoPage* page = m_ring.At(index);
        if (m_schedule.IsDue(page->Period()))
            page->Update(redraw && page == current ? this : nullptr);
    }
}

void MainWindow::OnTimer()
{
    UpdateDuePages(true);
    if (m_schedule.IsAnimationDue())
        m_ring.Current()->Animate(*this);
    m_schedule.Advance();
}

void MainWindow::InvalidateRow(int row)
{
    const RECT rect = m_painter.RowRect(row);
    InvalidateRect(m_window, &rect, FALSE);
}

void MainWindow::OnKeyDown(UINT key)
{
    if (key == VK_LEFT) {
        m_ring.Previous();
        PageSwitched();
    } else if (key == VK_RIGHT) {
        m_ring.Next();
        PageSwitched();
    }
}

void MainWindow::OnCommand(UINT command)
{
    struct Command {
        UINT id;
        void (MainWindow::*handler)();
    };
    static constexpr Command Commands[] = {
        {IDC_NEXT_PAGE, &MainWindow::NextPage},
        {IDC_MEMORY_PAGE, &MainWindow::ShowMemoryPage},
        {IDC_FLASH_PAGE, &MainWindow::ShowFlashPage},
        {IDC_POWER_PAGE, &MainWindow::ShowPowerPage},
        {IDC_DEVICE_PAGE, &MainWindow::ShowDevicePage},
        {IDC_ABOUT, &MainWindow::ShowAbout},
    };
    for (const Command& entry : Commands) {
        if (entry.id == command) {
            (this->*entry.handler)();
            return;
        }
    }
}

void MainWindow::NextPage()
{
    m_ring.Next();
    PageSwitched();
}

void MainWindow::ShowMemoryPage() { ShowPage(m_memoryPage); }
void MainWindow::ShowFlashPage() { ShowPage(m_flashPage); }
void MainWindow::ShowPowerPage() { ShowPage(m_powerPage); }
void MainWindow::ShowDevicePage() { ShowPage(m_devicePage); }

void MainWindow::ShowAbout()
{
    AboutBox about(m_window, ObrelRelease);
    RunModal(about);
}

void MainWindow::ShowPage(const InfoPage& page)
{
    if (m_ring.Select(&page))
        PageSwitched();
}

void MainWindow::PageSwitched()
{
    InvalidateRect(m_window, nullptr, FALSE);
    if (m_menuBar && m_ring.Following())
        SetMenuBarButtonText(m_menuBar, IDC_NEXT_PAGE, String(MAKEINTRESOURCEW(m_ring.Following()->ShortNameId())));
}

void MainWindow::OnActivate(bool active)
{
    if (!active) {
        m_painter.ReleaseFonts();
        return;
    }
    // The setting and the colour scheme may have changed meanwhile.
    const bool large = IsLargeFontSet(true);
    const PageColours colours = SystemColours();
    const bool changed = large != m_painter.IsLargeFont() || !(colours == m_painter.Colours());
    m_painter.SetLargeFont(large);
    m_painter.SetColours(colours);
    if (changed)
        InvalidateRect(m_window, nullptr, FALSE);
}

void MainWindow::OnPaint()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(m_window, &paint);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    const InfoPage* page = m_ring.Current();
    if (page)
        m_painter.PaintPage(dc, client, *page, PageIcon(page->IconId()));
    EndPaint(m_window, &paint);
    if (page)
        PublishScreenText(m_window, page->ScreenText());
}

HICON MainWindow::PageIcon(UINT iconId)
{
    auto found = m_icons.find(iconId);
    if (found == m_icons.end()) {
        const HANDLE icon = LoadImageW(ResourceModule(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, layout::IconSize,
                                       layout::IconSize, LR_DEFAULTCOLOR);
        found = m_icons.emplace(iconId, vellumate::IconHandle(static_cast<HICON>(icon))).first;
    }
    return found->second.Get();
}

void MainWindow::OnDestroy()
{
    KillTimer(m_window, RefreshTimer);
    WithdrawScreenText(m_window);
    PostQuitMessage(0);
}
