// Helpers of the menu bar tests: a program window that notes what reaches it,
// keys posted the way the system queues them, and a bounded message pump.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace menutest {

// Takes the messages queued for this thread, a few rounds, never longer than
// about a second.
void Pump();

// A key press as the system queues it for the focus window (or `target`):
// WM_KEYDOWN, then WM_KEYUP; pumped.
void Press(UINT virtualKey, HWND target = nullptr);
void KeyDown(UINT virtualKey, HWND target = nullptr, bool repeat = false);
void KeyUp(UINT virtualKey, HWND target = nullptr);

// The visible popup menu window (class "menu_popup") in front, if any, and
// what it publishes.
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

}  // namespace menutest
