// What a thread with soft-key bars keeps: its bars, the popup menu that is
// open, the keys held down, and two hooks that the first bar of the thread
// installs and the last one removes:
//
// - a WH_GETMESSAGE hook that hands every key message the thread takes from
//   its queue to the key router before the program sees it, so that F1/F2,
//   Back and a popup's keys work in any message loop (the program's own,
//   a modal dialog's, a message box's) without help from the program;
// - a WH_CALLWNDPROCRET hook that watches the bars' parents: a bar is shown
//   and hidden with its parent and destroyed with it, and a popup closes when
//   its window loses the activation.
#pragma once

#include "platform/menubar/MenuSession.h"

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

namespace vellumate {

class SoftKeyBarWindow;

// A key the router took on key-down; its key-up goes the same way.
struct HeldKey {
    enum class Kind { None, SoftKey, MenuSoftKey, Back, Notify, Swallowed };
    Kind kind = Kind::None;
    HWND bar = nullptr;
    UINT press = 0;  // Back: the press number, carried as WM_HOTKEY's wParam
};

class MenuBarThread {
public:
    // The calling thread's state, or nullptr while it has no bar.
    static MenuBarThread* Current() noexcept;

    // A bar joins or leaves its thread; the first installs the hooks and the
    // last removes them.
    static bool Enroll(HWND bar) noexcept;
    static void Leave(HWND bar) noexcept;

    const std::vector<HWND>& Bars() const noexcept { return m_bars; }

    // The open popup menu, if any.
    const std::shared_ptr<MenuSession>& Session() const noexcept { return m_session; }
    void SetSession(std::shared_ptr<MenuSession> session) noexcept;
    void CloseMenu() noexcept;

    HeldKey& Held(UINT virtualKey) noexcept { return m_held[virtualKey & 0xFF]; }
    UINT NextBackPress() noexcept { return ++m_backPresses ? m_backPresses : ++m_backPresses; }

private:
    MenuBarThread() = default;
    ~MenuBarThread();
    bool InstallHooks() noexcept;
    void ReleaseIfUnused() noexcept;

    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK CallWndProcRetHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnWindowMessage(const CWPRETSTRUCT& sent);

    // A hook in progress keeps the state alive even when its last bar goes.
    class HookScope;

    std::vector<HWND> m_bars;  // oldest first
    HHOOK m_getMessageHook = nullptr;
    HHOOK m_callWndProcRetHook = nullptr;
    std::shared_ptr<MenuSession> m_session;
    std::array<HeldKey, 256> m_held{};
    UINT m_backPresses = 0;
    int m_hookDepth = 0;
};

}  // namespace vellumate
