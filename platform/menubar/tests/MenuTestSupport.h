// Helpers of the menu bar tests: a program window that notes what reaches it,
// keys posted the way the system queues them, and a bounded message pump.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace menutest {

// Takes the messages queued for this thread until there are none left.
void Pump();

// A key press as the system queues it for the focus window `target`:
// WM_KEYDOWN, then WM_KEYUP; pumped. The tests name the window instead of
// relying on the focus, which other test programs on the same desktop may
// take at any time.
void Press(HWND target, UINT virtualKey);
void KeyDown(HWND target, UINT virtualKey, bool repeat = false);
void KeyUp(HWND target, UINT virtualKey);

// This thread's visible popup menu window (class "menu_popup") in front, if
// any, and what it publishes.
HWND OpenPopup();
std::wstring PopupText(HWND popup = nullptr);
std::wstring ScreenTextOf(HWND window);

// A program's top-level window at the work area, shown and focused, that
// notes the commands, hot keys, popup preparations and keys it receives.
class ProgramWindow {
public:
    struct InitPopup {
        HMENU menu;
        UINT position;
        bool popupAlreadyShown;  // a popup window was visible when it arrived
    };

    explicit ProgramWindow(bool visible = true);
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    HWND Window() const noexcept { return window_; }
    // Creates the window's bar from the test resources; nullptr on failure.
    HWND CreateBar(UINT id, DWORD flags = 0);

    std::vector<UINT> commands;
    std::vector<LPARAM> commandParams;
    std::vector<std::pair<WPARAM, LPARAM>> hotkeys;
    std::vector<InitPopup> initPopups;
    std::vector<UINT> keys;  // WM_KEYDOWN that reached the window
    std::function<void(HMENU, UINT)> onInitPopup;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    HWND window_ = nullptr;
};

// The override the framework's dialogs give their Back key.
inline constexpr LPARAM RouteBack = MAKELPARAM(0x0003, 0x0003);  // SHMBOF_NODEFAULT | SHMBOF_NOTIFY

// How a screen passes the Back key it takes over on to SHSendBackToFocusWindow.
enum class Forward { Nothing, Everything, KeyUpsOnly };

// A program's screen: a modeless dialog (IDD_BAR_DIALOG) owned by `owner`,
// made full-screen with a bar; it closes itself on IDCANCEL, as a program's
// would. The focus starts in its edit control.
class Screen {
public:
    Screen(HWND owner, bool routeBack, Forward forward);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    HWND Dialog() const noexcept { return dialog_; }
    HWND Bar() const noexcept { return bar_; }
    HWND Edit() const noexcept;
    HWND List() const noexcept;
    bool Open() const noexcept { return ::IsWindow(dialog_) != FALSE; }

    // The edit's text, the caret at its end.
    void SetText(const wchar_t* text);
    std::wstring Text() const;

    int cancels = 0;
    int hotkeys = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    Forward forward_;
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
};

// A stand-in for the shell's home screen, found by its class "MSStart".
class Home {
public:
    Home();
    ~Home();
    Home(const Home&) = delete;
    Home& operator=(const Home&) = delete;
    HWND Window() const noexcept { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace menutest
