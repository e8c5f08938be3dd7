// Focus, marks, scrolling, sorting and row removal in one view, and the mark
// dialog's copy.
#include "simmanager/tests/ViewFixtures.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

namespace {

// Ten entries "n0".."n9" in slot and name order.
std::unique_ptr<PhonebookStore> TenEntries()
{
    return MakeStore({{L"n0", L"0"},
                      {L"n1", L"1"},
                      {L"n2", L"2"},
                      {L"n3", L"3"},
                      {L"n4", L"4"},
                      {L"n5", L"5"},
                      {L"n6", L"6"},
                      {L"n7", L"7"},
                      {L"n8", L"8"},
                      {L"n9", L"9"}});
}

TEST(EntryViewFocus, MarksFollowTheFocusAndMarkAllLastsUntilTheNextMove)
{
    auto store = TenEntries();
    store->RebuildBaseView(Options(4));
    EntryView& view = *store->BaseView();
    ASSERT_EQ(view.RowCount(), 10);
    EXPECT_EQ(view.FocusedRow(), 0);
    EXPECT_TRUE(view.IsMarked(0));
    EXPECT_EQ(view.MarkedCount(), 1);

    view.MarkAll();
    EXPECT_EQ(view.MarkedCount(), 10);
    view.MoveFocus(+1, 4);
    EXPECT_EQ(view.FocusedRow(), 1);
    EXPECT_EQ(view.MarkedCount(), 1);
    EXPECT_TRUE(view.IsMarked(1));
    EXPECT_FALSE(view.IsMarked(0));
    EXPECT_EQ(view.Row(0).flags & RowFocused, 0);
}

TEST(EntryViewFocus, MarkAllWithoutFocusFocusesTheFirstRow)
{
    auto store = TenEntries();
    EntryView view(ViewKind::Base, store->SlotCount(), SIM_PBSTORAGE_SIM);
    for (int i = 0; i < 3; ++i)
        view.Append(&store->Slot(i));
    EXPECT_EQ(view.FocusedRow(), -1);
    view.MarkAll();
    EXPECT_EQ(view.FocusedRow(), 0);
    EXPECT_EQ(view.MarkedCount(), 3);
}

TEST(EntryViewFocus, ArrowsStopAtTheEndsAndPagesKeepTheFocusInPlaceOnThePage)
{
    auto store = TenEntries();
    store->RebuildBaseView(Options(4));
    EntryView& view = *store->BaseView();

    view.MoveFocus(-1, 4);
    EXPECT_EQ(view.FocusedRow(), 0);

    // One row past the page scrolls by one.
    for (int i = 0; i < 4; ++i)
        view.MoveFocus(+1, 4);
    EXPECT_EQ(view.FocusedRow(), 4);
    EXPECT_EQ(view.TopRow(), 1);

    view.MoveFocus(+4, 4);  // a page down: the focus stays on the page's last row
    EXPECT_EQ(view.FocusedRow(), 8);
    EXPECT_EQ(view.TopRow(), 5);

    view.MoveFocus(+4, 4);  // clamped to the last row, still on the page
    EXPECT_EQ(view.FocusedRow(), 9);
    EXPECT_EQ(view.TopRow(), 6);
    view.MoveFocus(+1, 4);
    EXPECT_EQ(view.FocusedRow(), 9);

    view.MoveFocus(-4, 4);  // a page up: the page moves by as many rows as the focus
    EXPECT_EQ(view.FocusedRow(), 5);
    EXPECT_EQ(view.TopRow(), 2);
    view.MoveFocus(-9, 4);
    EXPECT_EQ(view.FocusedRow(), 0);
    EXPECT_EQ(view.TopRow(), 0);
    EXPECT_EQ(view.MarkedCount(), 1);
}

TEST(EntryViewFocus, MultiSelectMovesTheFocusWithoutTouchingMarks)
{
    auto store = TenEntries();
    store->RebuildBaseView(Options(4));
    auto copy = store->BaseView()->MakeMarkCopy();
    EXPECT_EQ(copy->Kind(), ViewKind::MarkCopy);
    EXPECT_TRUE(copy->MultiSelect());
    copy->ToggleMark(3);
    copy->MoveFocus(+1, 4);
    copy->MoveFocus(+4, 4);
    EXPECT_EQ(copy->FocusedRow(), 5);
    EXPECT_TRUE(copy->IsMarked(0));
    EXPECT_TRUE(copy->IsMarked(3));
    EXPECT_FALSE(copy->IsMarked(5));
    EXPECT_EQ(copy->MarkedCount(), 2);
    // The view it was made from is untouched.
    EXPECT_EQ(store->BaseView()->FocusedRow(), 0);
    EXPECT_EQ(store->BaseView()->MarkedCount(), 1);
}

TEST(EntryViewSort, EachKeyOrdersTheRowsAndTheFocusStaysOnItsEntry)
{
    auto store = MakeStore({{L"carl", L"30"}, {L"Bob", L"100"}, {L"alice", L"2"}, {L"dora", L"+1"}, {L"Eve", L"0"}});
    store->RebuildBaseView(Options(2, SortKey::Index));
    EntryView& view = *store->BaseView();
    EXPECT_EQ(RowNames(view), L"carl|Bob|alice|dora|Eve");

    view.FocusRow(4, 2);  // Eve
    view.Sort(SortKey::Name, 2);
    EXPECT_EQ(RowNames(view), L"alice|Bob|carl|dora|Eve");  // without regard to case
    EXPECT_EQ(view.FocusedSlot()->Name(), L"Eve");
    EXPECT_EQ(view.FocusedRow(), 4);
    EXPECT_EQ(view.TopRow(), 4);  // still on the page: the page stays

    view.Sort(SortKey::Number, 2);
    EXPECT_EQ(RowNames(view), L"dora|Eve|Bob|alice|carl");  // as texts: "+1" "0" "100" "2" "30"
    EXPECT_EQ(view.FocusedRow(), 1);
    EXPECT_EQ(view.TopRow(), 0);  // off the page: it becomes the page's last row
    EXPECT_EQ(view.MarkedCount(), 1);
}

TEST(EntryViewSort, NamesSortAsTheUserReadsThemNotByCodeUnits)
{
    auto store = MakeStore({{L"Conceição", L"1"}, {L"Zoë", L"2"}, {L"Céline", L"3"}, {L"Åsa", L"4"}, {L"Bob", L"5"}});
    store->RebuildBaseView(Options(5));
    EXPECT_EQ(RowNames(*store->BaseView()), L"Åsa|Bob|Céline|Conceição|Zoë");
}

TEST(EntryViewRemoval, EmptiedRowsGoAndTheFocusStaysWithItsEntry)
{
    auto store = TenEntries();
    store->RebuildBaseView(Options(3));
    EntryView& view = *store->BaseView();
    view.FocusRow(6, 3);
    EXPECT_EQ(view.TopRow(), 6);
    for (int position : {0, 1, 2, 3, 9})
        store->Slot(position).Clear();
    view.RemoveEmptiedRows(3);
    EXPECT_EQ(RowNames(view), L"n4|n5|n6|n7|n8");
    EXPECT_EQ(view.FocusedRow(), 2);
    EXPECT_EQ(view.FocusedSlot()->Name(), L"n6");
    EXPECT_EQ(view.TopRow(), 0);
    EXPECT_EQ(view.MarkedCount(), 1);

    // The focused entry itself goes: the first row takes the focus.
    store->Slot(6).Clear();
    view.RemoveEmptiedRows(3);
    EXPECT_EQ(RowNames(view), L"n4|n5|n7|n8");
    EXPECT_EQ(view.FocusedRow(), 0);
    EXPECT_TRUE(view.IsMarked(0));

    for (int position : {4, 5, 7, 8})
        store->Slot(position).Clear();
    view.RemoveEmptiedRows(3);
    EXPECT_EQ(view.RowCount(), 0);
    EXPECT_EQ(view.FocusedRow(), -1);
    EXPECT_EQ(view.TopRow(), 0);
    EXPECT_EQ(view.MarkedCount(), 0);
    EXPECT_EQ(view.FocusedSlot(), nullptr);
}

TEST(MarkDialog, DoneMovesTheFocusToTheNearestMarkUpFirst)
{
    auto store = TenEntries();
    store->RebuildBaseView(Options(4));
    EntryView& view = *store->BaseView();

    auto copy = view.MakeMarkCopy();
    copy->ClearMarks();
    copy->SetMark(3, true);
    copy->SetMark(7, true);
    copy->FocusRow(5, 4);
    view.TakeMarksFrom(*copy);
    EXPECT_EQ(view.FocusedRow(), 3);  // 3 and 7 are as near; up is tried first
    EXPECT_EQ(view.MarkedCount(), 2);
    EXPECT_TRUE(view.IsMarked(3));
    EXPECT_TRUE(view.IsMarked(7));
    EXPECT_FALSE(view.IsMarked(0));

    copy = view.MakeMarkCopy();
    copy->SetMark(3, false);
    copy->SetMark(2, true);
    copy->FocusRow(5, 4);
    view.TakeMarksFrom(*copy);
    EXPECT_EQ(view.FocusedRow(), 7);  // 7 is two rows away, 2 three
    EXPECT_EQ(view.MarkedCount(), 2);

    // Nothing marked: the focused row is.
    copy = view.MakeMarkCopy();
    copy->ClearMarks();
    copy->FocusRow(4, 4);
    view.TakeMarksFrom(*copy);
    EXPECT_EQ(view.FocusedRow(), 4);
    EXPECT_EQ(view.MarkedCount(), 1);
    EXPECT_TRUE(view.IsMarked(4));
    EXPECT_EQ(view.Row(7).flags & RowFocused, 0);
}

}  // namespace
