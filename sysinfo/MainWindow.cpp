#include "sysinfo/MainWindow.h"

#include "sysinfo/PageLayout.h"
#include "sysinfo/resource.h"

#include "framework/About.h"
#include "framework/CommandTable.h"
#include "framework/Dialogs.h"
#include "framework/Display.h"
#include "framework/ResourceModule.h"

#include "platform/Handset.h"
#include "platform/ScreenText.h"

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>
#include <iterator>

namespace {

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

}  // namespace

ProgramStartup MainWindow::Startup(std::unique_ptr<MainWindow>& main)
{
    ProgramStartup startup;
    startup.className = ClassName;
    startup.fixedTitle = L"System Info";
    startup.singleInstanceFirst = true;
    startup.windowProcedure = Procedure();
    startup.prepare = InitCommonControlsForObrel;
    startup.afterRegistration = [&main] {
        main = std::make_unique<MainWindow>();
        return true;
    };
    startup.windowObject = [&main]() -> void* { return main ? main->CreationParameter() : nullptr; };
    return startup;
}

MainWindow::MainWindow() : MainWindowBase(IDM_OBREL_BAR)
{
}

MainWindow::~MainWindow()
{
    // The window's last messages still reach the pages.
    if (Window())
        DestroyWindow(Window());
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == RefreshTimer)
            OnTimer();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        break;  // the default handling gives us the focus
    case WM_PAINT:
        OnPaint();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(Window(), message, wParam, lParam);
}

bool MainWindow::OnCreate()
{
    FitToWorkArea(Window());

    if (!m_painter.Create(SystemColours(), IsLargeFontSet(true)))
        return false;

    m_devicePage.Fill();
    for (InfoPage* page : std::initializer_list<InfoPage*>{&m_memoryPage, &m_flashPage, &m_powerPage, &m_devicePage})
        m_ring.Add(page);
    UpdateDuePages(false);  // tick 0: every page
    m_schedule.Advance();
    PageSwitched();

    SetFocus(Window());
    return SetTimer(Window(), RefreshTimer, TimerPeriod, nullptr) != 0;
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
    InvalidateRect(Window(), &rect, FALSE);
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

bool MainWindow::OnCommand(UINT command)
{
    using Row = CommandRow<MainWindow, MainWindow>;
    // Every page can be shown at any time: no enable rules.
    static constexpr Row Commands[] = {
        {IDC_NEXT_PAGE, &MainWindow::NextPage, nullptr},
        {IDC_MEMORY_PAGE, &MainWindow::ShowMemoryPage, nullptr},
        {IDC_FLASH_PAGE, &MainWindow::ShowFlashPage, nullptr},
        {IDC_POWER_PAGE, &MainWindow::ShowPowerPage, nullptr},
        {IDC_DEVICE_PAGE, &MainWindow::ShowDevicePage, nullptr},
        {IDC_ABOUT, &MainWindow::ShowAbout, nullptr},
    };
    return RunTableCommand(Commands, *this, command);
}

void MainWindow::NextPage()
{
    m_ring.Next();
    PageSwitched();
}

void MainWindow::ShowMemoryPage()
{
    ShowPage(m_memoryPage);
}
void MainWindow::ShowFlashPage()
{
    ShowPage(m_flashPage);
}
void MainWindow::ShowPowerPage()
{
    ShowPage(m_powerPage);
}
void MainWindow::ShowDevicePage()
{
    ShowPage(m_devicePage);
}

void MainWindow::ShowAbout()
{
    AboutBox about(Window(), ObrelRelease);
    RunModal(about);
}

void MainWindow::ShowPage(const InfoPage& page)
{
    if (m_ring.Select(&page))
        PageSwitched();
}

void MainWindow::PageSwitched()
{
    InvalidateRect(Window(), nullptr, FALSE);
    if (MenuBar() && m_ring.Following())
        SetMenuBarButtonText(MenuBar(), IDC_NEXT_PAGE, String(MAKEINTRESOURCEW(m_ring.Following()->ShortNameId())));
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
        InvalidateRect(Window(), nullptr, FALSE);
}

void MainWindow::OnPaint()
{
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Window(), &paint);
    if (!dc)
        return;
    RECT client{};
    GetClientRect(Window(), &client);
    const InfoPage* page = m_ring.Current();
    if (page)
        m_painter.PaintPage(dc, client, *page, PageIcon(page->IconId()));
    EndPaint(Window(), &paint);
    if (page)
        PublishScreenText(Window(), page->ScreenText());
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
    KillTimer(Window(), RefreshTimer);
}
