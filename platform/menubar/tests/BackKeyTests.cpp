// The Back key: the handset's default handling and its override through the
// bar. The keys go to named windows, so these tests need neither the focus
// nor the front of the desktop.
#include "platform/SoftKeyBar.h"
#include "platform/menubar/BackKey.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;
using vellumate::BackAction;
using vellumate::ChooseBackAction;

TEST(BackKey, DeletesInAnEditThenLeavesTheScreen)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    screen.SetText(L"abc");
    Press(screen.Edit(), VK_ESCAPE);
    EXPECT_EQ(screen.Text(), L"ab");
    EXPECT_TRUE(screen.Open());

    screen.SetText(L"");
    Press(screen.Edit(), VK_ESCAPE);
    EXPECT_EQ(screen.cancels, 1);
    EXPECT_FALSE(screen.Open());
    EXPECT_EQ(screen.hotkeys, 0);
}

TEST(BackKey, HeldDownItKeepsDeletingButNeverLeavesTheScreen)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    screen.SetText(L"ab");
    KeyDown(screen.Edit(), VK_ESCAPE);
    KeyDown(screen.Edit(), VK_ESCAPE, true);
    EXPECT_EQ(screen.Text(), L"");
    KeyDown(screen.Edit(), VK_ESCAPE, true);
    KeyUp(screen.Edit(), VK_ESCAPE);
    EXPECT_TRUE(screen.Open());
    EXPECT_EQ(screen.cancels, 0);
}

TEST(BackKey, ChoosesByTheWindowThatHasTheKey)
{
    ProgramWindow program;
    Screen screen(program.Window(), false, Forward::Nothing);
    screen.SetText(L"x");
    EXPECT_EQ(ChooseBackAction(screen.Edit(), true), BackAction::DeleteCharacter);
    EXPECT_EQ(ChooseBackAction(screen.Edit(), false), BackAction::DeleteCharacter);
    EXPECT_EQ(ChooseBackAction(screen.List(), true), BackAction::CancelDialog);
    EXPECT_EQ(ChooseBackAction(screen.List(), false), BackAction::None);
    ::SendMessageW(screen.Edit(), EM_SETREADONLY, TRUE, 0);
    EXPECT_EQ(ChooseBackAction(screen.Edit(), true), BackAction::CancelDialog);
    EXPECT_EQ(ChooseBackAction(program.Window(), true), BackAction::ShowHome);

    // A dialog that is a program's main screen (no owner) is its top level.
    Screen mainScreen(nullptr, false, Forward::Nothing);
    EXPECT_EQ(ChooseBackAction(mainScreen.List(), true), BackAction::ShowHome);
}

TEST(BackKey, AnOverrideDeliversPressAndReleaseAsHotkeys)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack), 0);
    EXPECT_EQ(::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack), SHMBOF_NODEFAULT | SHMBOF_NOTIFY);

    Press(program.Window(), VK_ESCAPE);
    Press(program.Window(), VK_ESCAPE);
    ASSERT_EQ(program.hotkeys.size(), 4u);
    EXPECT_EQ(program.hotkeys[0].second, MAKELPARAM(0, VK_ESCAPE));
    EXPECT_EQ(program.hotkeys[1].second, MAKELPARAM(MOD_KEYUP, VK_ESCAPE));
    EXPECT_EQ(program.hotkeys[0].first, program.hotkeys[1].first) << "press and release carry one press number";
    EXPECT_NE(program.hotkeys[2].first, program.hotkeys[0].first);
    EXPECT_NE(program.hotkeys[0].first, 0u);
    EXPECT_TRUE(program.keys.empty());
}

TEST(BackKey, AnOverriddenSoftKeyIsOnlyNotified)
{
    ProgramWindow program;
    const HWND bar = program.CreateBar(IDM_BAR_COMMANDS);
    ASSERT_NE(bar, nullptr);
    ::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_F1, RouteBack);
    Press(program.Window(), VK_F1);
    EXPECT_TRUE(program.commands.empty());
    ASSERT_EQ(program.hotkeys.size(), 2u);
    EXPECT_EQ(program.hotkeys[1].second, MAKELPARAM(MOD_KEYUP, VK_F1));

    // Talk (F3) is the program's key until a bar takes it over.
    Press(program.Window(), VK_F3);
    EXPECT_EQ(program.keys, std::vector<UINT>{VK_F3});
    ::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_F3, RouteBack);
    Press(program.Window(), VK_F3);
    EXPECT_EQ(program.keys, std::vector<UINT>{VK_F3});
    EXPECT_EQ(program.hotkeys.size(), 4u);
}

TEST(BackKey, AReleaseNeverReachesTheScreenBelow)
{
    ProgramWindow program;
    ::SendMessageW(program.CreateBar(IDM_BAR_COMMANDS), SHCMBM_OVERRIDEKEY, VK_ESCAPE, RouteBack);
    Screen screen(program.Window(), false, Forward::Nothing);
    // Back closes the screen on its key-down; its key-up then arrives at the
    // program window, which takes Back over too, and must not count.
    KeyDown(screen.List(), VK_ESCAPE);
    EXPECT_FALSE(screen.Open());
    KeyUp(program.Window(), VK_ESCAPE);
    EXPECT_TRUE(program.hotkeys.empty());
    EXPECT_TRUE(program.keys.empty());
}
