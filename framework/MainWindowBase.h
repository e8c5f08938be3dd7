// The base of every program's main window. It does what each main window
// needs: its soft-key bar, the Back key, the menu-state hook, the command
// table's dispatch, background erasing and the end of the message loop.
//
//     class MainWindow final : public MainWindowBase<MainWindow> {
//     public:
//         MainWindow() : MainWindowBase(IDM_MAIN_BAR) {}
//     private:
//         friend MainWindowBase<MainWindow>;
//         bool OnCreate();                        // after the bar is made; false fails creation
//         bool OnCommand(UINT command);           // WM_COMMAND: runs the command table's row
//         void OnMenuOpening(HMENU menu);         // a menu of the window is about to open
//         LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);  // everything else
//     };
//
// Each hook is optional; the base's does nothing. The start-up code owns the
// object and hands CreationParameter() to the window's creation; the window
// finds its object there (the class is registered with Procedure()).
//
// No exception leaves the procedure: a failure in WM_NCCREATE or WM_CREATE
// makes the creation fail; an error raised for a frame outside the window
// procedure waits for the call that sent the message (SendFrameMessage).
#pragma once

#include "framework/Errors.h"
#include "framework/MenuBars.h"

#include "platform/ScreenText.h"
#include "platform/ShellDialogs.h"
#include "platform/WindowBase.h"

#include <windows.h>

template <typename Derived>
class MainWindowBase : public vellumate::WindowBase<Derived> {
public:
    // The procedure of the main window's class.
    static WNDPROC Procedure() noexcept { return &vellumate::WindowBase<Derived>::Procedure; }

    // What the window's creation parameters carry: this object, as the
    // window base finds it.
    void* CreationParameter() noexcept { return static_cast<vellumate::WindowBase<Derived>*>(this); }

    // The window's soft-key bar; null without one, or before it is made.
    HWND MenuBar() const noexcept { return m_menuBar; }

protected:
    // menuBarId 0: the window has no bar of its own (its panes bring theirs).
    // With BackKey::ToProgram, Back reaches OnBack.
    explicit MainWindowBase(UINT menuBarId = 0, BackKey back = BackKey::ToProgram) noexcept
        : m_menuBarId(menuBarId), m_back(back)
    {
    }

    // The hooks' defaults.
    bool OnCreate() { return true; }
    void OnDestroy() {}
    bool OnCommand(UINT) { return false; }
    void OnMenuOpening(HMENU) {}
    // Back, on press and on release (MOD_KEYUP in the low word of lParam):
    // by default the window in focus handles it.
    void OnBack(WPARAM wParam, LPARAM lParam) { SHSendBackToFocusWindow(WM_HOTKEY, wParam, lParam); }
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::DefWindowProcW(this->Window(), message, wParam, lParam);
    }

private:
    friend class vellumate::WindowBase<Derived>;

    Derived& Self() noexcept { return static_cast<Derived&>(*this); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        LRESULT result = 0;
        if (RunOperation([&] { result = Dispatch(message, wParam, lParam); }))
            return result;
        if (message == WM_NCCREATE)
            return FALSE;
        if (message == WM_CREATE)
            return -1;
        return ::DefWindowProcW(this->Window(), message, wParam, lParam);
    }

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_CREATE:
            if (m_menuBarId != 0) {
                m_menuBar = CreateMenuBar(this->Window(), m_menuBarId, m_back);
                if (!m_menuBar)
                    return -1;
            }
            return Self().OnCreate() ? 0 : -1;
        case WM_DESTROY:
            Self().OnDestroy();
            WithdrawScreenText(this->Window());
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            m_menuBar = nullptr;
            break;
        case WM_ERASEBKGND:
            return 1;  // painting covers every pixel
        case WM_INITMENUPOPUP:
            Self().OnMenuOpening(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_COMMAND:
            if (Self().OnCommand(LOWORD(wParam)))
                return 0;
            break;
        case WM_HOTKEY:
            if (HIWORD(lParam) == VK_ESCAPE) {
                Self().OnBack(wParam, lParam);
                return 0;
            }
            break;
        default:
            break;
        }
        return Self().OnMessage(message, wParam, lParam);
    }

    UINT m_menuBarId;
    BackKey m_back;
    HWND m_menuBar = nullptr;
};
