// The rows of a popup menu: numbering, the highlight's rules and the text
// readers of the screen get.
#include "platform/menubar/MenuBarResource.h"
#include "platform/menubar/MenuRows.h"

#include "test_menubar.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

MenuRow Item(const wchar_t* text, UINT command, bool greyed = false)
{
    MenuRow row;
    row.text = text;
    row.command = command;
    row.greyed = greyed;
    return row;
}

MenuRow Separator()
{
    MenuRow row;
    row.separator = true;
    return row;
}

}  // namespace

TEST(MenuRows, NumbersItemsButNotSeparatorsOneToNineThenZero)
{
    std::vector<MenuRow> rows{Item(L"a", 1), Separator()};
    for (UINT command = 2; command <= 11; ++command)
        rows.push_back(Item(L"x", command));
    const MenuRows menu(std::move(rows));
    EXPECT_EQ(menu.Rows()[0].number, L'1');
    EXPECT_EQ(menu.Rows()[1].number, 0);
    EXPECT_EQ(menu.Rows()[2].number, L'2');
    EXPECT_EQ(menu.Rows()[10].number, L'0');
    EXPECT_EQ(menu.Rows()[11].number, 0);  // the eleventh item has no key
    EXPECT_EQ(menu.RowForNumber(L'2'), 2);
    EXPECT_EQ(menu.RowForNumber(L'0'), 10);
}

TEST(MenuRows, TheHighlightSkipsWhatCannotBeChosenAndWraps)
{
    MenuRows menu({Item(L"off", 1, true), Item(L"a", 2), Separator(), Item(L"b", 3), Item(L"off", 4, true)});
    EXPECT_EQ(menu.Highlight(), 1);  // the first row that can be chosen
    EXPECT_TRUE(menu.Move(1));
    EXPECT_EQ(menu.Highlight(), 3);
    EXPECT_TRUE(menu.Move(1));
    EXPECT_EQ(menu.Highlight(), 1);
    EXPECT_TRUE(menu.Move(-1));
    EXPECT_EQ(menu.Highlight(), 3);
    EXPECT_FALSE(menu.SetHighlight(0));
    EXPECT_FALSE(menu.SetHighlight(2));
    EXPECT_FALSE(menu.SetHighlight(9));
    EXPECT_EQ(menu.Highlight(), 3);

    MenuRows single({Item(L"only", 1), Separator()});
    EXPECT_FALSE(single.Move(1));
    EXPECT_EQ(single.Highlight(), 0);

    MenuRows greyed({Item(L"off", 1, true), Separator()});
    EXPECT_EQ(greyed.Highlight(), -1);
    EXPECT_EQ(greyed.Highlighted(), nullptr);
    EXPECT_FALSE(greyed.Move(1));
}

TEST(MenuRows, ScreenTextMarksTheHighlightAndTheStates)
{
    std::vector<MenuRow> rows{Item(L"Name", 1), Item(L"Size", 2), Separator(), Item(L"Gone", 3, true)};
    rows[0].mark = MenuMark::Radio;
    rows[1].mark = MenuMark::Check;
    rows[1].submenu = reinterpret_cast<HMENU>(1);
    MenuRows menu(std::move(rows));
    menu.Move(1);
    EXPECT_EQ(menu.ScreenText(0, 3), L"  1 Name [radio]\n> 2 Size [checked] [more]\n  ----\n  3 Gone [dimmed]");
    EXPECT_EQ(menu.ScreenText(1, 2), L"> 2 Size [checked] [more]\n  ----");
}

TEST(MenuRows, ReadsItemsFromAMenu)
{
    const HMENU menu = ::CreatePopupMenu();
    const HMENU submenu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, 10, L"&Open\tEnter");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 11, L"Save && close");
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), L"More");
    ::CheckMenuRadioItem(menu, 10, 10, 10, MF_BYCOMMAND);
    const MenuRows rows = MenuRows::Read(menu);
    ASSERT_EQ(rows.Count(), 4);
    EXPECT_EQ(rows.Rows()[0].text, L"Open");
    EXPECT_EQ(rows.Rows()[0].command, 10u);
    EXPECT_EQ(rows.Rows()[0].mark, MenuMark::Radio);
    EXPECT_TRUE(rows.Rows()[1].separator);
    EXPECT_EQ(rows.Rows()[2].text, L"Save & close");
    EXPECT_TRUE(rows.Rows()[2].greyed);
    EXPECT_EQ(rows.Rows()[3].submenu, submenu);
    ::DestroyMenu(menu);
}

TEST(MenuBarResource, ReadsTheTwoSoftKeys)
{
    const std::optional<MenuBarLayout> bar = LoadMenuBar(::GetModuleHandleW(nullptr), IDM_BAR_POPUP);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->buttons[0].text, L"Open");
    EXPECT_FALSE(bar->buttons[0].popup);
    EXPECT_EQ(bar->buttons[0].command, static_cast<UINT>(ID_OPEN));
    EXPECT_EQ(bar->buttons[1].text, L"Menu");
    EXPECT_TRUE(bar->buttons[1].popup);
    EXPECT_EQ(bar->buttons[1].command, 0u) << "a MENU resource gives popups no id";
    EXPECT_FALSE(LoadMenuBar(::GetModuleHandleW(nullptr), IDM_BAR_MISSING));
}
