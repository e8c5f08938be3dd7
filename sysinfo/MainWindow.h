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

#include "framework/Startup.h"

#include "platform/Handles.h"

#include <windows.h>

#include <map>

class MainWindow final : public PageHost {
public:
    static constexpr wchar_t ClassName[] = L"Obrel";
    static constexpr UINT_PTR RefreshTimer = 1;

    // The start-up of the program: its row of the start-up table, with the
    // common controls initialised before the window is made.
    static ProgramStartup Startup();

    // The window class's procedure. The window makes its object on
    // WM_NCCREATE and deletes it on WM_NCDESTROY.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // The object of an Obrel window, or null.
    static MainWindow* FromWindow(HWND window) noexcept;

    HWND Window() const noexcept { return m_window; }
    HWND MenuBar() const noexcept { return m_menuBar; }
    const PageRing& Ring() const noexcept { return m_ring; }
    const PagePainter& Painter() const noexcept { return m_painter; }
    const RefreshSchedule& Schedule() const noexcept { return m_schedule; }

    void InvalidateRow(int row) override;

private:
    explicit MainWindow(HWND window) noexcept : m_window(window) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void OnTimer();
    void OnKeyDown(UINT key);
    void OnCommand(UINT command);
    void OnActivate(bool active);
    void OnPaint();
    void OnDestroy();

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

    HWND m_window;
    HWND m_menuBar = nullptr;
    MemoryPage m_memoryPage;
    FlashPage m_flashPage;
    PowerPage m_powerPage;
    DevicePage m_devicePage;
    PageRing m_ring;
    PagePainter m_painter;
    RefreshSchedule m_schedule;
    std::map<UINT, vellumate::IconHandle> m_icons;
};
