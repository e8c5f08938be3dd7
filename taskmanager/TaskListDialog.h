// Lunsett's main dialog, the task list: one row per running application with
// its icon and title, a strip above counting them and one below showing the
// free program memory; switching to, closing, closing all and closing all
// others, and the system panel. The dialog object is the program's task
// list state.
#pragma once

#include "taskmanager/CloserThread.h"
#include "taskmanager/HiddenApps.h"
#include "taskmanager/TaskCommands.h"

#include "framework/About.h"
#include "framework/Dialogs.h"
#include "framework/Startup.h"
#include "framework/String.h"

#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>

inline constexpr ProgramRelease LunsettRelease{1, 10, "Nov 24 2003", "18:02:40"};
inline constexpr wchar_t LunsettMutexName[] = L"_TASK_MUTEX_";

// The strips' look.
inline constexpr COLORREF StripColour = 0xA4FFFF;  // light yellow
inline constexpr int StripHeight = 20;
inline constexpr int StripInset = 4;

// The program's row of the start-up: mutex, title, resource file, and the
// main dialog with the hidden list read from beside the program.
DialogProgramStartup LunsettStartup();

// An image list's handle, destroyed with its owner.
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle list) noexcept { ImageList_Destroy(list); }
};
using ImageListHandle = vellumate::UniqueHandle<ImageListTraits>;

class TaskListDialog final : public DialogCore {
public:
    explicit TaskListDialog(HiddenList hidden);
    ~TaskListDialog() override;

    // What the list shows now.
    int ItemCount() const noexcept { return m_count; }
    HWND RowWindow(int row) const;
    int SelectedRow() const;
    bool CloserIdle() const noexcept { return m_closer.Idle(); }
    const String& ShortcutFolder() const noexcept { return m_shortcutFolder; }

    // The commands, one a row of the table.
    void SwitchTo();
    void ShowAbout();
    void RefreshCommand();
    void CloseSelected();
    void ShowSystemPanel();
    void CloseAll();
    void Exit();
    void CloseOthers();

protected:
    InitResult InitDialog() override;
    bool HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Layout();
    // Fills the list again; keepSelection keeps the selected row's place.
    void Refresh(bool keepSelection);
    void AddRow(HWND window, const String& title, const String& identityPath);
    void UpdateStrips();
    void DrawStrip(const DRAWITEMSTRUCT& item);
    String StripText(UINT control) const;
    void OnActivate();
    void OnListKey(UINT key);
    // Asks every window of `windows` to close and starts the worker.
    void CloseWindows(const std::vector<HWND>& windows, bool reselectFirst);
    std::vector<HWND> WindowsFromLast(HWND except) const;

    HiddenList m_hidden;
    HWND m_list = nullptr;
    ImageListHandle m_images;
    int m_count = 0;
    vellumate::FontHandle m_stripFont;
    vellumate::BrushHandle m_stripBrush;
    String m_shortcutFolder;
    std::atomic<bool> m_ownMessageBox{false};
    bool m_reselectFirst = false;
    CloserThread m_closer;
};
