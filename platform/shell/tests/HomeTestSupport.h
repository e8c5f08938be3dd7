// The home screen test fixture: a device of its own with two programs, and
// the keys and notices the tests drive it with.
#pragma once

#include "platform/ScreenText.h"
#include "platform/shell/HomeScreen.h"
#include "platform/shell/Notice.h"
#include "platform/tests/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vellumate::hometest {

inline constexpr wchar_t Programs[] = L"Windows\\Start Menu\\Programs\\";

// This thread's visible window of a class: other test programs share the
// desktop and show their own notices and menus.
inline HWND ThreadWindow(const wchar_t* className)
{
    for (HWND window = ::FindWindowW(className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr)) {
        if (::IsWindowVisible(window) && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
            return window;
    }
    return nullptr;
}

class HomeScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device_.Write(std::wstring(Programs) + L"Pellory.lnk", "38#\"\\Program Files\\Vellumate\\pellory.exe\"");
        device_.Write(std::wstring(Programs) + L"Tarnwell.lnk", "39#\"\\Program Files\\Vellumate\\tarnwell.exe\"");
    }

    void Start() { ASSERT_TRUE(home_.Create(::GetModuleHandleW(nullptr), device_.Path())); }

    std::wstring Shown()
    {
        ::InvalidateRect(home_.Window(), nullptr, FALSE);
        ::UpdateWindow(home_.Window());
        return ReadScreenText(home_.Window()).value_or(L"<nothing published>");
    }

    void Key(UINT key) { ::SendMessageW(home_.Window(), WM_KEYDOWN, key, 0); }

    // A key as the system queues it, so that the soft-key bar sees it too.
    void Press(UINT key)
    {
        ::PostMessageW(home_.Window(), WM_KEYDOWN, key, 1);
        ::PostMessageW(home_.Window(), WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
        Pump();
    }

    static void Pump()
    {
        for (int round = 0; round < 5; ++round) {
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            ::Sleep(1);
        }
    }

    static std::wstring PopupText()
    {
        // This thread's popup: other test programs share the desktop.
        const HWND popup = ThreadWindow(L"menu_popup");
        return popup ? ReadScreenText(popup).value_or(L"") : L"<no popup>";
    }

    TempFolder device_;
    HomeScreen home_;
};

// What the notice said, and it is dismissed as soon as it shows: the notice
// is modal, so a timer of the test thread acts inside its message loop.
inline std::wstring noticeText;

inline void CALLBACK DismissNotice(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    const HWND notice = ThreadWindow(NoticeClass);
    if (!notice)
        return;
    ::KillTimer(nullptr, timer);
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(notice, NoticeTextId, text, 256);
    noticeText = text;
    ::SendMessageW(notice, WM_KEYDOWN, VK_RETURN, 0);
}

inline std::wstring NoticeAfter(const std::function<void()>& action)
{
    noticeText = L"<no notice>";
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &DismissNotice);
    action();
    ::KillTimer(nullptr, timer);
    return noticeText;
}

}  // namespace vellumate::hometest
