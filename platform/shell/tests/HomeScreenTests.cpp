// The home screen window on a device of its own: what it publishes, how keys
// move it, how it follows the Start menu folder and how it reports failures.
#include "platform/Handset.h"
#include "HomeTestSupport.h"

using namespace vellumate;
using namespace vellumate::hometest;

namespace {

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

TEST_F(HomeScreenTest, FillsTheWorkAreaAboveItsSoftKeys)
{
    Start();
    RECT rect{};
    ::GetWindowRect(home_.Window(), &rect);
    EXPECT_EQ(rect.top, WorkAreaTop);
    EXPECT_EQ(rect.bottom, WorkAreaTop + WorkAreaHeight);
    ASSERT_NE(home_.MenuBar(), nullptr);
    ::GetWindowRect(home_.MenuBar(), &rect);
    EXPECT_EQ(rect.top, WorkAreaTop + WorkAreaHeight);
    EXPECT_EQ(ReadScreenText(home_.MenuBar()), L"left: Start\nright: Menu");
}

TEST_F(HomeScreenTest, TheLeftSoftKeyStartsTheHighlightedProgram)
{
    device_.Write(std::wstring(Programs) + L"Broken.lnk", "no shortcut at all");
    Start();
    EXPECT_EQ(NoticeAfter([&] { Press(VK_F1); }), L"The shortcut \u201CBroken\u201D is damaged.");
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
    // Nothing to start: the left soft key is dimmed.
    EXPECT_EQ(ReadScreenText(home.MenuBar()), L"left: Start (dimmed)\nright: Menu");
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
