// The home screen: the programs of the Start menu folder as a list of rows.
// The direction pad moves the highlight, the action key (or a number key for
// the first nine rows) starts the program. Its soft-key bar (IDM_HOME_BAR of
// the shell's resources) starts the highlighted program on the left key and
// offers Start, Refresh and About Vellumate on the right one.
//
// Its window class is HomeScreenClass, "MSStart" (platform/ShellMessages.h).
#pragma once

#include "platform/Handles.h"
#include "platform/ShellMessages.h"
#include "platform/WindowBase.h"
#include "platform/shell/FolderWatch.h"
#include "platform/shell/ProgramList.h"

#include <map>
#include <string>

namespace vellumate {

inline constexpr wchar_t HomeScreenTitle[] = L"Home";

class HomeScreen : public WindowBase<HomeScreen> {
public:
    // `drive` is the device's drive ("D:"), whose Start menu folder is shown.
    // `instance` holds the shell's resources (Shell.rc).
    bool Create(HINSTANCE instance, std::wstring drive);

    HWND MenuBar() const noexcept { return m_menuBar; }

    // The handle the message loop waits on for changes of the Start menu
    // folder (nullptr while the folder does not exist), and what to do then.
    HANDLE ChangeHandle() const noexcept { return m_watch.WaitHandle(); }
    void OnFolderChanged();

private:
    friend class WindowBase<HomeScreen>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Reload();
    void OnKeyDown(UINT key);
    void OnCommand(UINT command);
    void ShowAbout() const;
    void StartCurrent();
    void ShowError(const std::wstring& text) const;
    HICON IconFor(const StartMenuEntry& entry);
    void Paint();
    void PaintRow(HDC dc, int row, const RECT& rect);
    void Publish() const;

    HINSTANCE m_instance = nullptr;
    HWND m_menuBar = nullptr;  // destroyed with the window
    std::wstring m_drive;
    std::wstring m_folder;
    FolderWatch m_watch;
    ProgramList m_list;
    std::map<std::wstring, IconHandle> m_icons;  // by program path
    HICON m_neutralIcon = nullptr;               // shared, never destroyed
    FontHandle m_font;
};

}  // namespace vellumate
