// Popup menus of a soft key: prepared by the program, driven by the direction
// pad, the number keys, Enter, the soft keys and Back.
#include "platform/Handset.h"
#include "platform/SoftKeyBar.h"

#include "MenuTestSupport.h"
#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace menutest;

namespace {

constexpr wchar_t FullMenu[] = L"> 1 Sort by name\n"
                               L"  2 Sort by size\n"
                               L"  ----\n"
                               L"  3 Delete [dimmed]\n"
                               L"  4 View [more]\n"
                               L"  5 About";

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar_ = program_.CreateBar(IDM_BAR_POPUP);
        ASSERT_NE(bar_, nullptr);
    }

    void Key(UINT virtualKey) { Press(program_.Window(), virtualKey); }

    ProgramWindow program_;
    HWND bar_ = nullptr;
};

}  // namespace

TEST_F(PopupMenu, OpensUpwardFromItsSoftKeyAfterTheProgramPreparedIt)
{
    Key(VK_F2);
    const HWND popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(program_.initPopups.size(), 1u);
    EXPECT_FALSE(program_.initPopups[0].popupAlreadyShown);
    EXPECT_EQ(program_.initPopups[0].position, 1u);
    EXPECT_EQ(program_.initPopups[0].menu,
              ::GetSubMenu(reinterpret_cast<HMENU>(::SendMessageW(bar_, SHCMBM_GETMENU, 0, 0)), 1));

    EXPECT_EQ(PopupText(popup), FullMenu);
    RECT rect{};
    ::GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.bottom, vellumate::ScreenHeight - vellumate::MenuBarHeight);
    EXPECT_EQ(rect.right, vellumate::ScreenWidth);
    EXPECT_GE(rect.top, vellumate::WorkAreaTop);
    EXPECT_NE(::GetActiveWindow(), popup);
    EXPECT_TRUE(program_.commands.empty());
}

TEST_F(PopupMenu, TheHighlightSkipsGreyedItemsAndWraps)
{
    Key(VK_F2);
    Key(VK_DOWN);
    Key(VK_DOWN);  // past the separator and the greyed Delete
    EXPECT_EQ(PopupText(),
              L"  1 Sort by name\n  2 Sort by size\n  ----\n  3 Delete [dimmed]\n> 4 View [more]\n  5 About");
    Key(VK_DOWN);
    Key(VK_DOWN);  // from the last row round to the first
    EXPECT_EQ(PopupText(), FullMenu);
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_ABOUT});
    EXPECT_EQ(OpenPopup(), nullptr);
    // None of the menu's keys reached the program.
    EXPECT_TRUE(program_.keys.empty());
}

TEST_F(PopupMenu, NumberKeysChooseButNeverAGreyedItem)
{
    Key(VK_F2);
    Key('3');  // Delete is greyed
    EXPECT_NE(OpenPopup(), nullptr);
    EXPECT_TRUE(program_.commands.empty());
    Key('2');
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_SORT_SIZE});
    EXPECT_EQ(OpenPopup(), nullptr);
    EXPECT_TRUE(program_.keys.empty()) << "the key-up of the choosing key stays with the menu";
}

TEST_F(PopupMenu, TheProgramGreysChecksAndRadioMarksItems)
{
    program_.onInitPopup = [](HMENU menu, UINT) {
        ::CheckMenuRadioItem(menu, ID_SORT_NAME, ID_SORT_SIZE, ID_SORT_SIZE, MF_BYCOMMAND);
        ::EnableMenuItem(menu, ID_SORT_NAME, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(menu, ID_DELETE, MF_BYCOMMAND | MF_ENABLED);
        ::CheckMenuItem(menu, ID_ABOUT, MF_BYCOMMAND | MF_CHECKED);
    };
    Key(VK_F2);
    EXPECT_EQ(PopupText(), L"  1 Sort by name [dimmed]\n"
                           L"> 2 Sort by size [radio]\n"
                           L"  ----\n"
                           L"  3 Delete\n"
                           L"  4 View [more]\n"
                           L"  5 About [checked]");
    Key('3');
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_DELETE});
}

TEST_F(PopupMenu, SubmenusOpenAndBackOrLeftCloseThem)
{
    Key(VK_F2);
    const HWND popup = OpenPopup();
    Key('4');
    const HWND submenu = OpenPopup();
    ASSERT_NE(submenu, nullptr);
    ASSERT_NE(submenu, popup);
    ASSERT_EQ(program_.initPopups.size(), 2u);
    EXPECT_EQ(program_.initPopups[1].position, 4u);
    EXPECT_EQ(PopupText(submenu), L"> 1 List\n  2 Icons");
    RECT outer{}, inner{};
    ::GetWindowRect(popup, &outer);
    ::GetWindowRect(submenu, &inner);
    EXPECT_GE(inner.top, vellumate::WorkAreaTop);
    EXPECT_LE(inner.bottom, vellumate::ScreenHeight - vellumate::MenuBarHeight);
    EXPECT_LE(inner.right, vellumate::ScreenWidth);

    Key(VK_LEFT);
    EXPECT_EQ(OpenPopup(), popup);
    Key(VK_RIGHT);
    EXPECT_NE(OpenPopup(), popup);
    Key(VK_ESCAPE);
    EXPECT_EQ(OpenPopup(), popup);
    Key(VK_ESCAPE);
    EXPECT_EQ(OpenPopup(), nullptr);
    // Back in a menu is the menu's: no hot key, no command, no key.
    EXPECT_TRUE(program_.commands.empty());
    EXPECT_TRUE(program_.hotkeys.empty());
    EXPECT_TRUE(program_.keys.empty());

    Key(VK_F2);
    Key(VK_RIGHT);  // on "Sort by name": no submenu, nothing happens
    Key('4');
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_VIEW_ICONS});
    EXPECT_EQ(OpenPopup(), nullptr);
}

TEST_F(PopupMenu, ItsSoftKeyChoosesAndTheOtherOneCloses)
{
    Key(VK_F2);
    Key(VK_DOWN);
    Key(VK_F2);
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_SORT_SIZE});
    EXPECT_EQ(OpenPopup(), nullptr);

    Key(VK_F2);
    Key(VK_F1);
    EXPECT_EQ(OpenPopup(), nullptr);
    EXPECT_EQ(program_.commands, std::vector<UINT>{ID_SORT_SIZE});
    // The left key, pressed with no menu open, is a command again.
    Key(VK_F1);
    EXPECT_EQ(program_.commands, (std::vector<UINT>{ID_SORT_SIZE, ID_OPEN}));
}

TEST_F(PopupMenu, ClosesWhenItsBarGoes)
{
    Key(VK_F2);
    ASSERT_NE(OpenPopup(), nullptr);
    ::ShowWindow(bar_, SW_HIDE);
    Pump();
    EXPECT_EQ(OpenPopup(), nullptr);
    ::ShowWindow(bar_, SW_SHOW);
    Key(VK_F2);
    ASSERT_NE(OpenPopup(), nullptr);
    ::DestroyWindow(bar_);
    EXPECT_EQ(OpenPopup(), nullptr);
    // Keys reach the program again.
    Key(VK_DOWN);
    EXPECT_EQ(program_.keys, std::vector<UINT>{VK_DOWN});
}

TEST(PopupMenuLong, ScrollsToKeepTheHighlightOnTheScreen)
{
    ProgramWindow program;
    ASSERT_NE(program.CreateBar(IDM_BAR_LONG), nullptr);
    Press(program.Window(), VK_F2);
    const HWND popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    RECT rect{};
    ::GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.top, vellumate::WorkAreaTop);
    EXPECT_EQ(rect.bottom, vellumate::ScreenHeight - vellumate::MenuBarHeight);

    const std::wstring top = PopupText();
    EXPECT_EQ(top.rfind(L"> 1 Item 1\n", 0), 0u) << top;
    EXPECT_EQ(top.find(L"Item 13"), std::wstring::npos) << "only the rows on the screen are published";
    Press(program.Window(), VK_UP);  // wraps to the last row, which scrolls into view
    const std::wstring bottom = PopupText();
    EXPECT_TRUE(bottom.ends_with(L"\n>   Item 13")) << bottom;
    EXPECT_EQ(bottom.find(L"Item 1\n"), std::wstring::npos) << bottom;
    // The tenth item answers to 0, the eleventh on to no number.
    Press(program.Window(), '0');
    EXPECT_EQ(program.commands, std::vector<UINT>{ID_LONG_FIRST + 9});
}
