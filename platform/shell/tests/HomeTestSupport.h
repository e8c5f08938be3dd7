// The home screen test fixture: a device of its own with two programs, and
// the keys and notices the tests drive it with.
#pragma once

#include "platform/ScreenText.h"
#include "platform/shell/HomeScreen.h"
#include "platform/shell/Notice.h"

#include "framework/testsupport/KeyPress.h"
#include "framework/testsupport/MessagePump.h"
#include "framework/testsupport/TempFolder.h"
#include "framework/testsupport/WindowSearch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vellumate::hometest {

inline constexpr wchar_t Programs[] = L"Windows\\Start Menu\\Programs\\";

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
        PostKeyDown(home_.Window(), key);
        PostKeyUp(home_.Window(), key);
        Pump();
    }

    // Each pass pauses, so that what other threads send in between is taken too.
    static void Pump() { PumpUntilQuiet(5, 1); }

    static std::wstring PopupText()
    {
        // This thread's popup: other test programs share the desktop.
        const HWND popup = FindThreadWindow(L"menu_popup");
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
    const HWND notice = FindThreadWindow(NoticeClass);
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
