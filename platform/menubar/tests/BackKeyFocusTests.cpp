// The Back key where it depends on the focus and on the window in front:
// SHSendBackToFocusWindow and the way home. These tests run alone, since other
// test programs on the same desktop take the front.
#include "platform/SoftKeyBar.h"
#include "platform/ShellDialogs.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;

TEST(BackKeyFocus, AtAProgramsTopLevelTheHomeScreenComesToTheFront)
{
    Home home;
    ProgramWindow program;
    ASSERT_NE(program.CreateBar(IDM_BAR_COMMANDS), nullptr);
    ASSERT_EQ(::GetForegroundWindow(), program.Window());
    Press(program.Window(), VK_ESCAPE);
    EXPECT_EQ(::GetForegroundWindow(), home.Window());
    EXPECT_TRUE(::IsWindow(program.Window())) << "the program keeps running behind the home screen";
    EXPECT_TRUE(program.hotkeys.empty());
    EXPECT_TRUE(program.keys.empty());
}

TEST(BackKeyFocus, NotifiedWithoutNoDefaultItAlsoGoesHome)
{
    Home home;
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
    Press(program.Window(), VK_ESCAPE);
    EXPECT_EQ(::GetForegroundWindow(), program.Window()) << "no default handling";

    ::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, MAKELPARAM(SHMBOF_NODEFAULT, 0));
    Press(program.Window(), VK_ESCAPE);
    EXPECT_EQ(program.hotkeys.size(), 4u);
    EXPECT_EQ(::GetForegroundWindow(), home.Window());
}

TEST(BackKeyFocus, SentBackToTheFocusItActsOncePerPress)
{
    ProgramWindow program;
    ::SendMessageW(program.CreateBar(IDM_BAR_COMMANDS), SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
    Screen screen(program.Window(), true, Forward::Everything);
    ASSERT_EQ(::GetFocus(), screen.Edit());
    screen.SetText(L"abc");
    Press(screen.Edit(), VK_ESCAPE);
    EXPECT_EQ(screen.hotkeys, 2);
    EXPECT_EQ(screen.Text(), L"ab") << "the press and its release delete one character";

    screen.SetText(L"");
    Press(screen.Edit(), VK_ESCAPE);
    EXPECT_EQ(screen.cancels, 1);
    EXPECT_TRUE(program.hotkeys.empty());
}

TEST(BackKeyFocus, ReleasesAloneAreEnoughForSendBack)
{
    ProgramWindow program;
    Screen screen(program.Window(), true, Forward::KeyUpsOnly);
    ASSERT_EQ(::GetFocus(), screen.Edit());
    screen.SetText(L"abc");
    Press(screen.Edit(), VK_ESCAPE);
    EXPECT_EQ(screen.Text(), L"ab");
    // A hot key made up by a program (press number 0) always counts.
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_ESCAPE));
    EXPECT_EQ(screen.Text(), L"a");
    SHSendBackToFocusWindow(WM_HOTKEY, 0, MAKELPARAM(0, VK_F1));  // not Back: ignored
    EXPECT_EQ(screen.Text(), L"a");
}
