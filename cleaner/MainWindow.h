// Corvane's window: the panel of the main storage and the status text, the
// delete command of each category with its scan and its result, and clean
// all, which runs several categories in a row.
#pragma once

#include "cleaner/Categories.h"
#include "cleaner/CleanerDisplay.h"

#include "framework/About.h"
#include "framework/MainWindowBase.h"
#include "framework/Startup.h"

#include <windows.h>

#include <memory>
#include <string>

inline constexpr ProgramRelease CorvaneRelease{1, 20, "Dec 17 2003", "21:43:11"};

class MainWindow final : public MainWindowBase<MainWindow> {
public:
    static constexpr wchar_t ClassName[] = L"RIZEMgr";

    // The program's row of the start-up table with its steps: the display
    // state after the window is made, the intro once it shows.
    static ProgramStartup Startup(std::unique_ptr<MainWindow>& main);

    // `preferencesKey`: where the intro's preference lives below
    // HKEY_CURRENT_USER, when not the program's own key (tests).
    explicit MainWindow(const wchar_t* preferencesKey = nullptr);
    ~MainWindow();

    const CleanerDisplay& Display() const noexcept { return m_display; }
    // Shows the intro unless the user asked not to be shown it again.
    void ShowIntroIfWanted();

    // Runs one category's deletion: its scan, then (when confirmed) the
    // deletion and its result message. ID_SCAN_DELETE when done,
    // ID_ACTION_FAILED, or ID_ACTION_CANCELLED.
    UINT RunCategoryAction(const Category& category);

private:
    friend MainWindowBase<MainWindow>;

    bool OnCreate();
    bool OnCommand(UINT command);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnPaint();

    void Refresh();
    void CleanAll();
    void ShowAbout();
    const wchar_t* PreferencesKey() const noexcept { return m_key.empty() ? nullptr : m_key.c_str(); }

    std::wstring m_key;
    CleanerDisplay m_display;
    UINT m_pressedKey = 0;  // the key whose press this window saw last
};
