// Obrel's window: one page at a time, stepped through as a ring with the
// left and right keys and the left soft key, chosen from the Menu, refreshed
// by a 220 ms timer.
#pragma once

#include "sysinfo/DevicePage.h"
#include "sysinfo/FlashPage.h"
#include "sysinfo/MemoryPage.h"
#include "sysinfo/PagePainter.h"
#include "sysinfo/PageRing.h"
#include "sysinfo/PowerPage.h"
#include "sysinfo/RefreshSchedule.h"

#include "framework/About.h"
#include "framework/MainWindowBase.h"
#include "framework/Startup.h"

#include "platform/Handles.h"

#include <windows.h>

#include <map>
#include <memory>

inline constexpr ProgramRelease ObrelRelease{1, 0, "Jul  9 2003", "16:22:12"};

class MainWindow final : public MainWindowBase<MainWindow>, public PageHost {
public:
    static constexpr wchar_t ClassName[] = L"Obrel";
    static constexpr UINT_PTR RefreshTimer = 1;

    // The start-up of the program: its row of the start-up table, with the
    // common controls initialised before the window is made. The object
    // `main` is made once the class is registered.
    static ProgramStartup Startup(std::unique_ptr<MainWindow>& main);

    MainWindow();
    ~MainWindow();

    const PageRing& Ring() const noexcept { return m_ring; }
    const PagePainter& Painter() const noexcept { return m_painter; }
    const RefreshSchedule& Schedule() const noexcept { return m_schedule; }

    void InvalidateRow(int row) override;

private:
    friend MainWindowBase<MainWindow>;

    // The window's hooks.
    bool OnCreate();
    void OnDestroy();
    bool OnCommand(UINT command);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void OnTimer();
    void OnKeyDown(UINT key);
    void OnActivate(bool active);
    void OnPaint();

    // Commands.
    void NextPage();
    void ShowMemoryPage();
    void ShowFlashPage();
    void ShowPowerPage();
    void ShowDevicePage();
    void ShowAbout();

    void ShowPage(const InfoPage& page);
    void PageSwitched();
    void UpdateDuePages(bool redraw);
    HICON PageIcon(UINT iconId);

    MemoryPage m_memoryPage;
    FlashPage m_flashPage;
    PowerPage m_powerPage;
    DevicePage m_devicePage;
    PageRing m_ring;
    PagePainter m_painter;
    RefreshSchedule m_schedule;
    std::map<UINT, vellumate::IconHandle> m_icons;
};
