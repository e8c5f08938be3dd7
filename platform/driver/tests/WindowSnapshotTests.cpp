#include "platform/driver/WindowSnapshot.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

WindowNode Node(const wchar_t* className, const wchar_t* text, RECT rect)
{
    WindowNode node;
    node.className = className;
    node.text = text;
    node.rect = rect;
    return node;
}

ListRow Row(std::vector<std::wstring> cells, bool selected = false, bool focused = false)
{
    ListRow row;
    row.cells = std::move(cells);
    row.selected = selected;
    row.focused = focused;
    return row;
}

ListRow TreeRow(const wchar_t* text, int depth, ListRow::Expansion expansion, bool selected = false)
{
    ListRow row = Row({text}, selected);
    row.depth = depth;
    row.expansion = expansion;
    return row;
}

TEST(FormatSnapshot, WritesWindowsControlsRowsAndPublishedText)
{
    WindowNode strip = Node(L"tray", L"Tarnwell", {0, 0, 176, 20});

    WindowNode dialog = Node(L"#32770", L"Tarnwell", {0, 20, 176, 200});
    dialog.foreground = true;

    WindowNode check = Node(L"Button", L"Hidden files", {4, 24, 100, 40});
    check.controlId = 1003;
    check.checkState = BST_CHECKED;
    check.focused = true;

    WindowNode list = Node(L"SysListView32", L"", {0, 40, 176, 180});
    list.controlId = 1000;
    list.rowStyle = RowStyle::Indexed;
    list.rows = {Row({L"My Documents", L"", L"1/2/03"}), Row({L"a.txt", L"1 KB", L"1/2/03"}, true, true)};

    WindowNode tree = Node(L"SysTreeView32", L"", {0, 40, 176, 180});
    tree.controlId = 1001;
    tree.visible = false;
    tree.enabled = false;

    WindowNode pane = Node(L"TarnwellPane", L"", {0, 180, 176, 200});
    pane.controlId = -1;
    pane.screenText = L"> \\My Documents\n  \\Storage Card";

    dialog.children = {check, list, tree, pane};
    EXPECT_EQ(FormatSnapshot({strip, dialog}), L"tray \"Tarnwell\" @0,0 176x20\n"
                                               L"#32770 \"Tarnwell\" @0,20 176x180 foreground\n"
                                               L"  Button id=1003 \"Hidden files\" @4,24 96x16 checked focused\n"
                                               L"  SysListView32 id=1000 \"\" @0,40 176x140\n"
                                               L"    row 0 \"My Documents\" \"\" \"1/2/03\"\n"
                                               L"    row 1 \"a.txt\" \"1 KB\" \"1/2/03\" selected focused\n"
                                               L"  SysTreeView32 id=1001 \"\" @0,40 176x140 hidden disabled\n"
                                               L"  TarnwellPane id=-1 \"\" @0,180 176x20\n"
                                               L"    text \"> \\My Documents\"\n"
                                               L"    text \"  \\Storage Card\"\n");
}

TEST(FormatSnapshot, IndentsTreeRowsByDepthAndMarksTheirState)
{
    WindowNode tree = Node(L"SysTreeView32", L"", {0, 20, 176, 200});
    tree.rowStyle = RowStyle::Tree;
    tree.rows = {TreeRow(L"\\", 0, ListRow::Expansion::Expanded),
                 TreeRow(L"My Documents", 1, ListRow::Expansion::Collapsed, true),
                 TreeRow(L"Windows", 1, ListRow::Expansion::Expanded), TreeRow(L"Fonts", 2, ListRow::Expansion::Leaf)};
    EXPECT_EQ(FormatSnapshot({tree}), L"SysTreeView32 \"\" @0,20 176x180\n"
                                      L"  row \"\\\" expanded\n"
                                      L"  row   \"My Documents\" collapsed selected\n"
                                      L"  row   \"Windows\" expanded\n"
                                      L"  row     \"Fonts\"\n");
}

TEST(FormatSnapshot, EscapesWhatWouldBreakTheLines)
{
    EXPECT_EQ(QuoteText(L"say \"hi\"\r\n\ttab\x01\x7F end \u00E9"),
              L"\"say \\\"hi\\\"\\r\\n\\ttab\\x01\\x7F end \u00E9\"");

    WindowNode list = Node(L"ListBox", L"two\nlines", {0, 0, 10, 10});
    list.rowStyle = RowStyle::Indexed;
    list.unreadableRows = 4;
    list.checkState = BST_INDETERMINATE;
    EXPECT_EQ(FormatSnapshot({list}), L"ListBox \"two\\nlines\" @0,0 10x10 indeterminate\n"
                                      L"  rows 4 owner-drawn\n");
}

TEST(FormatSnapshot, PublishedTextKeepsEmptyLinesButAddsNoneAtTheEnd)
{
    WindowNode pane = Node(L"Pane", L"", {0, 0, 1, 1});
    pane.screenText = L"first\n\nthird\n";
    WindowNode silent = Node(L"Pane", L"", {0, 0, 1, 1});
    silent.screenText = L"";
    EXPECT_EQ(FormatSnapshot({pane, silent}), L"Pane \"\" @0,0 1x1\n"
                                              L"  text \"first\"\n"
                                              L"  text \"\"\n"
                                              L"  text \"third\"\n"
                                              L"Pane \"\" @0,0 1x1\n");
}

}  // namespace
