// The view stack of a store: keypad search with the program's own key
// letters, the duplicate filters, the stack's limits.
#include "simmanager/tests/ViewFixtures.h"

#include "simmanager/KeyLetters.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

namespace {

KeyLetters ProgramLetters()
{
    KeyLetters letters;
    letters.Load(GetModuleHandleW(nullptr));
    return letters;
}

TEST(KeyLettersTest, LoadFromTheResourcesAndMatchWithoutRegardToCase)
{
    KeyLetters letters = ProgramLetters();
    for (int digit = 0; digit < KeyLetters::KeyTotal; ++digit)
        EXPECT_FALSE(letters.Letters(digit).IsEmpty()) << digit;
    EXPECT_TRUE(letters.Matches(2, L'b'));
    EXPECT_TRUE(letters.Matches(2, L'B'));
    EXPECT_TRUE(letters.Matches(5, L'5'));
    EXPECT_FALSE(letters.Matches(2, L'd'));

    KeyLetters lower;
    lower.Set(3, L"def\u00e9");
    EXPECT_TRUE(lower.Matches(3, L'E'));
    EXPECT_TRUE(lower.Matches(3, L'\u00c9'));
    EXPECT_FALSE(lower.Matches(4, L'g'));  // a key without letters matches nothing
    lower.Set(1, L"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(lower.Letters(1).Length(), KeyLetters::MaxLetters);
}

TEST(KeyLettersTest, MatchIsTheFirstPositionWhereEveryKeyFits)
{
    KeyLetters letters = ProgramLetters();
    const int ann[] = {2, 6, 6};
    EXPECT_EQ(KeypadMatch(L"Mary Ann", ann, 3, letters), 5);
    EXPECT_EQ(KeypadMatch(L"Anne Bonn", ann, 3, letters), 0);
    EXPECT_EQ(KeypadMatch(L"An", ann, 3, letters), -1);
    EXPECT_EQ(KeypadMatch(L"", ann, 1, letters), -1);
    const int digits[] = {5, 5, 0};
    EXPECT_EQ(KeypadMatch(L"0555012", digits, 3, letters), 2);
}

TEST(KeypadSearch, EachKeyNarrowsTheViewBelowAndBackTakesOneKey)
{
    auto store = MakeStore({{L"Bob", L"5550100"}, {L"Anna", L"0301"}, {L"Mary Ann", L"+4930"}, {L"Carl", L"7"}});
    const KeyLetters letters = ProgramLetters();
    const ViewOptions options = Options(4);
    store->RebuildBaseView(options);

    EXPECT_TRUE(store->TypeKey(2, letters, options));
    EntryView* search = store->CurrentView();
    EXPECT_EQ(search->Kind(), ViewKind::KeypadSearch);
    EXPECT_EQ(RowNames(*search), L"Anna|Bob|Carl|Mary Ann");
    EXPECT_EQ(search->Row(3).matchPosition, 1);  // the "a" of "Mary"

    EXPECT_TRUE(store->TypeKey(6, letters, options));
    search = store->CurrentView();
    EXPECT_EQ(RowNames(*search), L"Anna|Bob|Mary Ann");
    EXPECT_EQ(search->Row(2).matchPosition, 5);
    EXPECT_EQ(search->KeyCount(), 2);
    EXPECT_EQ(search->FocusedRow(), 0);
    EXPECT_EQ(store->KeyCount(), 2);

    EXPECT_TRUE(store->PopView());
    EXPECT_EQ(store->KeyCount(), 1);
    EXPECT_EQ(RowNames(*store->CurrentView()), L"Anna|Bob|Carl|Mary Ann");
    store->ResetViews();
    EXPECT_EQ(store->ViewCount(), 1);
    EXPECT_EQ(store->KeyCount(), 0);
    EXPECT_FALSE(store->PopView());

    // Numbers shown: the search reads the numbers.
    const ViewOptions numbers = Options(4, SortKey::Name, DisplayKey::Numbers);
    EXPECT_TRUE(store->TypeKey(3, letters, numbers));
    EXPECT_TRUE(store->TypeKey(0, letters, numbers));
    EXPECT_EQ(RowNames(*store->CurrentView()), L"Anna|Mary Ann");
    EXPECT_EQ(store->CurrentView()->Row(1).matchPosition, 3);
}

TEST(KeypadSearch, SixteenKeysAreTakenTheSeventeenthIsNot)
{
    auto store = MakeStore({{L"aaaaaaaaaaaaaaaaaaaa", L"1"}, {L"b", L"2"}});
    const KeyLetters letters = ProgramLetters();
    const ViewOptions options = Options(4);
    store->RebuildBaseView(options);
    for (int key = 1; key <= 16; ++key)
        EXPECT_TRUE(store->TypeKey(2, letters, options)) << key;
    EXPECT_EQ(store->KeyCount(), 16);
    EXPECT_EQ(store->ViewCount(), 17);
    EXPECT_EQ(store->CurrentView()->RowCount(), 1);
    EXPECT_FALSE(store->TypeKey(2, letters, options));
    EXPECT_EQ(store->KeyCount(), 16);
    EXPECT_EQ(store->ViewCount(), 17);
}

TEST(KeypadSearch, AKeyOnAnEmptyResultOrADuplicatesViewDoesNothing)
{
    auto store = MakeStore({{L"Bob", L"1"}, {L"Bob", L"1"}});
    const KeyLetters letters = ProgramLetters();
    const ViewOptions options = Options(4);
    store->RebuildBaseView(options);

    EXPECT_TRUE(store->TypeKey(9, letters, options));  // nothing matches: an empty view is shown
    EXPECT_TRUE(store->CurrentView()->IsEmpty());
    EXPECT_FALSE(store->TypeKey(9, letters, options));  // nothing can be pushed on it
    EXPECT_EQ(store->KeyCount(), 1);
    EXPECT_EQ(store->ViewCount(), 2);
    EXPECT_FALSE(store->TypeKey(10, letters, options));

    EXPECT_EQ(store->ShowDuplicates(options), FilterResult::Shown);
    EXPECT_EQ(store->KeyCount(), 0);
    EXPECT_FALSE(store->TypeKey(2, letters, options));
    EXPECT_EQ(store->ViewCount(), 2);
    EXPECT_EQ(store->CurrentView()->Kind(), ViewKind::Duplicates);
    EXPECT_EQ(store->KeyCount(), 0);
}

TEST(ViewStack, HoldsTwentyFourViewsAndRefusesPushesOnAnEmptyView)
{
    auto store = MakeStore({{L"Bob", L"1"}});
    store->RebuildBaseView(Options(4));
    for (int i = 1; i < PhonebookStore::MaxViews; ++i)
        EXPECT_TRUE(store->PushView(store->CurrentView()->MakeMarkCopy())) << i;
    EXPECT_EQ(store->ViewCount(), 24);
    EXPECT_FALSE(store->PushView(store->CurrentView()->MakeMarkCopy()));
    EXPECT_EQ(store->ViewCount(), 24);

    auto empty = MakeStore({}, 3);
    empty->RebuildBaseView(Options(4));
    EXPECT_TRUE(empty->BaseView()->IsEmpty());
    EXPECT_EQ(empty->ShowDuplicates(Options(4)), FilterResult::Refused);
    EXPECT_EQ(empty->ShowRedundant(Options(4)), FilterResult::Refused);
    EXPECT_EQ(empty->ViewCount(), 1);
}

TEST(Duplicates, EqualNameAndNumberMakeAGroupAndKindFourLeavesItsFirstOut)
{
    auto store = MakeStore({{L"Ann", L"1"},   // 0: group of three
                            {L"Bob", L"2"},   // 1: group of two
                            {L"Ann", L"1"},   // 2
                            {L"ann", L"1"},   // 3: case differs
                            {L"Ann", L"12"},  // 4: number differs
                            {L"Bob", L"2"},   // 5
                            {L"Ann", L"1"},   // 6
                            {L"", L""}},      // 7: empty
                           2);
    const ViewOptions options = Options(4, SortKey::Index);
    store->RebuildBaseView(options);

    ASSERT_EQ(store->ShowDuplicates(options), FilterResult::Shown);
    EntryView* view = store->CurrentView();
    ASSERT_EQ(view->RowCount(), 5);
    const DWORD duplicates[] = {1, 2, 3, 6, 7};  // SIM indexes (position + 1)
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(view->SlotAt(row)->SimIndex(), duplicates[row]);

    ASSERT_EQ(store->ShowRedundant(options), FilterResult::Shown);
    EXPECT_EQ(store->ViewCount(), 2);
    view = store->CurrentView();
    EXPECT_EQ(view->Kind(), ViewKind::Redundant);
    ASSERT_EQ(view->RowCount(), 3);
    const DWORD redundant[] = {3, 6, 7};
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(view->SlotAt(row)->SimIndex(), redundant[row]);
    EXPECT_EQ(view->FocusedRow(), 0);
}

TEST(Duplicates, FiltersAreSortedAndDropRowsOfEmptiedSlotsWithTheBase)
{
    auto store = MakeStore({{L"Zed", L"9"}, {L"Zed", L"9"}, {L"Amy", L"1"}, {L"Amy", L"1"}, {L"Kim", L"5"}});
    const ViewOptions options = Options(4);
    store->RebuildBaseView(options);
    ASSERT_EQ(store->ShowDuplicates(options), FilterResult::Shown);
    EXPECT_EQ(RowNames(*store->CurrentView()), L"Amy|Amy|Zed|Zed");

    store->Slot(0).Clear();
    store->Slot(2).Clear();
    store->RemoveEmptiedRows(options);
    EXPECT_EQ(RowNames(*store->CurrentView()), L"Amy|Zed");
    EXPECT_EQ(RowNames(*store->BaseView()), L"Amy|Kim|Zed");
    EXPECT_EQ(store->FilledCount(), 3);
    EXPECT_EQ(store->FindFirstEmpty(), 0);
    EXPECT_EQ(store->FindFirstEmpty(1), 2);
}

}  // namespace
