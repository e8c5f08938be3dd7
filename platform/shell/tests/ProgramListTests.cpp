#include "platform/shell/ProgramList.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

std::vector<StartMenuEntry> Entries(std::initializer_list<const wchar_t*> names)
{
    std::vector<StartMenuEntry> entries;
    for (const wchar_t* name : names)
        entries.push_back(StartMenuEntry{name, std::wstring(L"D:\\") + name + L".lnk", {}});
    return entries;
}

TEST(ProgramList, AnEmptyListHasNoHighlightAndIgnoresKeys)
{
    ProgramList list;
    list.Assign({});
    EXPECT_EQ(list.Highlight(), -1);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_FALSE(list.MoveHighlight(1));
    EXPECT_FALSE(list.SetHighlight(0));
    EXPECT_EQ(list.VisibleText(), L"");
}

TEST(ProgramList, TheHighlightStopsAtBothEnds)
{
    ProgramList list;
    list.Assign(Entries({L"A", L"B", L"C"}));
    EXPECT_EQ(list.Highlight(), 0);
    EXPECT_FALSE(list.MoveHighlight(-1));
    EXPECT_TRUE(list.MoveHighlight(1));
    EXPECT_TRUE(list.MoveHighlight(5));
    EXPECT_EQ(list.Current()->name, L"C");
    EXPECT_FALSE(list.MoveHighlight(1));
    EXPECT_FALSE(list.SetHighlight(3));
    EXPECT_EQ(list.Highlight(), 2);
}

TEST(ProgramList, ScrollsToKeepTheHighlightInView)
{
    ProgramList list;
    list.SetVisibleRows(3);
    list.Assign(Entries({L"A", L"B", L"C", L"D", L"E"}));
    EXPECT_EQ(list.VisibleText(), L"> A\n  B\n  C");

    list.MoveHighlight(3);
    EXPECT_EQ(list.TopRow(), 1);
    EXPECT_EQ(list.VisibleText(), L"  B\n  C\n> D");

    list.MoveHighlight(-2);  // still in view: no scrolling
    EXPECT_EQ(list.TopRow(), 1);
    list.MoveHighlight(-1);
    EXPECT_EQ(list.TopRow(), 0);

    list.SetHighlight(4);
    list.SetVisibleRows(1);  // a smaller window still shows the highlight
    EXPECT_EQ(list.VisibleText(), L"> E");
}

TEST(ProgramList, ReloadingKeepsTheHighlightedProgram)
{
    ProgramList list;
    list.SetVisibleRows(2);
    list.Assign(Entries({L"Corvane", L"Lunsett", L"Obrel", L"Tarnwell"}));
    list.SetHighlight(2);  // Obrel

    list.Assign(Entries({L"Alpha", L"Corvane", L"Lunsett", L"Obrel", L"Tarnwell"}));
    ASSERT_NE(list.Current(), nullptr);
    EXPECT_EQ(list.Current()->name, L"Obrel");
    EXPECT_EQ(list.VisibleText(), L"  Lunsett\n> Obrel");

    // The program went away: the highlight keeps its place, within the list.
    list.Assign(Entries({L"Alpha", L"Corvane"}));
    EXPECT_EQ(list.Current()->name, L"Corvane");
    EXPECT_EQ(list.TopRow(), 0);
    EXPECT_EQ(list.VisibleText(), L"  Alpha\n> Corvane");
}

}  // namespace
