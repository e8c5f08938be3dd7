// The strip at the top of the screen: the title of the window in front and a
// clock. Its window class is "tray", the one the handset's programs look for
// (and that task lists leave out). It never takes the focus.
#pragma once

#include "platform/Handles.h"
#include "platform/WindowBase.h"

#include <string>

namespace vellumate {

inline constexpr wchar_t TitleStripClass[] = L"tray";

class TitleStrip : public WindowBase<TitleStrip> {
public:
    // `idleTitle` is shown when no window is in front.
    bool Create(HINSTANCE instance, std::wstring idleTitle);

private:
    friend class WindowBase<TitleStrip>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Refresh();
    void StayOnTop();
    std::wstring ForegroundTitle() const;
    void Paint();

    static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                    DWORD time) noexcept;

    UINT m_refreshMessage = 0;
    std::wstring m_idleTitle;
    HWND m_front = nullptr;  // the foreground window when last looked at
    std::wstring m_title;
    std::wstring m_clock;
    FontHandle m_titleFont;
    FontHandle m_clockFont;
    WinEventHookHandle m_foregroundHook;
    WinEventHookHandle m_showHook;
    WinEventHookHandle m_nameHook;
};

}  // namespace vellumate
