// The home screen window on a device of its own: what it publishes, how keys
// move it, how it follows the Start menu folder and how it reports failures.
#include "platform/shell/HomeScreen.h"

#include "platform/ScreenText.h"
#include "platform/shell/Notice.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vellumate;

namespace {

constexpr wchar_t Programs[] = L"Windows\\Start Menu\\Programs\\";

class HomeScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device_.Write(std::wstring(Programs) + L"Pellory.lnk", "38#\"\\Program Files\\Vellumate\\pellory.exe\"");
        device_.Write(std::wstring(Programs) + L"Tarnwell.lnk", "39#\"\\Program Files\\Vellumate\\tarnwell.exe\"");
    }

    void Start()
    {
        ASSERT_TRUE(home_.Create(::GetModuleHandleW(nullptr), device_.Path()));
    }

    std::wstring Shown()
    {
        ::InvalidateRect(home_.Window(), nullptr, FALSE);
        ::UpdateWindow(home_.Window());
        return ReadScreenText(home_.Window()).value_or(L"<nothing published>");
    }

    void Key(UINT key) { ::SendMessageW(home_.Window(), WM_KEYDOWN, key, 0); }

    TempFolder device_;
    HomeScreen home_;
};

// What the notice said, and it is dismissed as soon as it shows: the notice
// is modal, so a timer of the test thread acts inside its message loop.
std::wstring noticeText;

void CALLBACK DismissNotice(HWND, UINT, UINT_PTR timer, DWORD) noexcept
{
    const HWND notice = ::FindWindowW(NoticeClass, nullptr);
    if (!notice)
        return;
    ::KillTimer(nullptr, timer);
    wchar_t text[256] = L"";
    ::GetDlgItemTextW(notice, NoticeTextId, text, 256);
    noticeText = text;
    ::SendMessageW(notice, WM_KEYDOWN, VK_RETURN, 0);
}

std::wstring NoticeAfter(const std::function<void()>& action)
{
    noticeText = L"<no notice>";
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &DismissNotice);
    action();
    ::KillTimer(nullptr, timer);
    return noticeText;
}

TEST_F(HomeScreenTest, PublishesItsRowsAndMovesWithTheDirectionPad)
{
    Start();
    EXPECT_EQ(Shown(), L"> Pellory\n  Tarnwell");
    Key(VK_DOWN);
    EXPECT_EQ(Shown(), L"  Pellory\n> Tarnwell");
    Key(VK_DOWN);
    EXPECT_EQ(Shown(), L"  Pellory\n> Tarnwell");
    Key(VK_UP);
    EXPECT_EQ(Shown(), L"> Pellory\n  Tarnwell");
}

TEST_F(HomeScreenTest, FollowsTheStartMenuFolder)
{
    Start();
    Key(VK_DOWN);
    device_.Write(std::wstring(Programs) + L"Corvane.lnk", "38#\"\\Program Files\\Vellumate\\corvane.exe\"");
    ASSERT_NE(home_.ChangeHandle(), nullptr);
    ASSERT_EQ(::WaitForSingleObject(home_.ChangeHandle(), 5000), WAIT_OBJECT_0);
    home_.OnFolderChanged();
    EXPECT_EQ(Shown(), L"  Corvane\n  Pellory\n> Tarnwell") << "the highlight stays on its program";
}

TEST_F(HomeScreenTest, AnEmptyOrMissingFolderSaysSo)
{
    TempFolder empty;
    HomeScreen home;
    ASSERT_TRUE(home.Create(::GetModuleHandleW(nullptr), empty.Path()));
    ::UpdateWindow(home.Window());
    EXPECT_EQ(ReadScreenText(home.Window()), L"No programs");
    EXPECT_EQ(home.ChangeHandle(), nullptr);
}

TEST_F(HomeScreenTest, TellsWhyAProgramDoesNotStart)
{
    device_.Write(std::wstring(Programs) + L"Broken.lnk", "no shortcut at all");
    Start();
    EXPECT_EQ(NoticeAfter([&] { Key(VK_RETURN); }), L"The shortcut \u201CBroken\u201D is damaged.");

    // Tarnwell is not installed on this device; key 3 starts the third row.
    const std::wstring missing = NoticeAfter([&] { Key(L'3'); });
    EXPECT_EQ(missing.rfind(L"Tarnwell cannot be started.\n", 0), 0u) << testing::PrintToString(missing);
    EXPECT_EQ(Shown(), L"  Broken\n  Pellory\n> Tarnwell");
    EXPECT_TRUE(::IsWindowEnabled(home_.Window())) << "the home screen takes keys again";
}

}  // namespace
