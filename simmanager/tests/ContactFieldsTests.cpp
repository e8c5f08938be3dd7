// What the copy commands say to the contacts database and how SIM names carry
// a contact's names and the kind of its number, with the program's labels.
#include "simmanager/ContactCopy.h"
#include "simmanager/ContactFields.h"
#include "simmanager/ContactList.h"
#include "simmanager/NumberRules.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

namespace {

TEST(ContactRestrictions, NameTheMasksHighestBitAndPickWithinSeveralNames)
{
    String text;
    ASSERT_TRUE(AppendRestrictionClause(text, ContactsFolder, 1u << 21, RestrictionOperator::Equal, L"Ann",
                                        RestrictionJoiner::None));
    // Bit 5 with the lowest bit set: the second name of its entry.
    ASSERT_TRUE(AppendRestrictionClause(text, ContactsFolder, (1u << 5) | 1u, RestrictionOperator::NotEqual, L"1",
                                        RestrictionJoiner::And));
    ASSERT_TRUE(AppendRestrictionClause(text, ContactsFolder, 1u << 0, RestrictionOperator::GreaterEqual, L"2",
                                        RestrictionJoiner::Or));
    EXPECT_EQ(text, L"[FirstName] = \"Ann\" AND [Business2TelephoneNumber] <> \"1\" OR [Birthday] >= \"2\"");
    const String before = text;
    // Beyond an entry's names, another folder, no bit: nothing is added.
    EXPECT_FALSE(AppendRestrictionClause(text, ContactsFolder, (1u << 7) | 1u, RestrictionOperator::Equal, L"x",
                                         RestrictionJoiner::Or));
    EXPECT_FALSE(AppendRestrictionClause(text, 9, 1u << 21, RestrictionOperator::Equal, L"x", RestrictionJoiner::Or));
    EXPECT_FALSE(
        AppendRestrictionClause(text, ContactsFolder, 0, RestrictionOperator::Equal, L"x", RestrictionJoiner::Or));
    EXPECT_EQ(text, before);
}

TEST(ContactRestrictions, TheCopyAsksForFirstOrLastNameWithQuotesKeptInside)
{
    EXPECT_EQ(ContactRestriction(L"Ann", L"Lee"), L"[FirstName] = \"Ann\" OR [LastName] = \"Lee\"");
    EXPECT_EQ(ContactRestriction(L"Bo\"b", L""), L"[FirstName] = \"Bo\"\"b\" OR [LastName] = \"\"");
}

TEST(ContactColumns, TheCopyMaskListsItsPropertiesInBitOrder)
{
    EXPECT_EQ(ContactColumnList(ContactsFolder, ContactCopyMask),
              L"Birthday,BusinessFaxNumber,MobileTelephoneNumber,BusinessTelephoneNumber,Business2TelephoneNumber,"
              L"HomeTelephoneNumber,Home2TelephoneNumber,CarTelephoneNumber,RadioTelephoneNumber,FirstName,"
              L"MiddleName,LastName,AssistantName,AssistantTelephoneNumber");
    EXPECT_EQ(ContactColumnList(9, ContactCopyMask), L"");
}

TEST(SimNames, AreComposedFromTheNamesAndTheLabelShortenedInTurn)
{
    const NumberKindLabels labels = NumberKindLabels::Load();
    EXPECT_EQ(ComposeSimName(L"Ann", L"Lee", labels.Of(2), 16), L"Ann Lee/m");
    // 9 + 7 + 2 + 2 = 20 for 16: four characters go, first name first.
    EXPECT_EQ(ComposeSimName(L"Christina", L"Lindahl", labels.Of(4), 16), L"Christi Linda/w2");
    // Neither part goes below three characters; the slot cuts the rest.
    EXPECT_EQ(ComposeSimName(L"Alexandra", L"Bo", labels.Of(1), 6), L"Ale Bo/f");
    EXPECT_EQ(ComposeSimName(L"", L"Lee", labels.Of(5), 16), L" Lee/h");
}

TEST(SimNames, SplitBackIntoNamesAndTheKindOfTheirLabel)
{
    const NumberKindLabels labels = NumberKindLabels::Load();
    SplitSimName split = SplitSimEntryName(L"Ann Lee/h2", labels);
    EXPECT_EQ(split.firstName, L"Ann");
    EXPECT_EQ(split.lastName, L"Lee");
    EXPECT_EQ(split.kind, 6);  // not the shorter "h" of kind 5
    split = SplitSimEntryName(L"  Bob   Di Marco /w", labels);
    EXPECT_EQ(split.firstName, L"Bob");
    EXPECT_EQ(split.lastName, L"Di Marco");
    EXPECT_EQ(split.kind, 3);
    // No label: kind 2; a one-character rest is no last name.
    split = SplitSimEntryName(L"Taxi X", labels);
    EXPECT_EQ(split.firstName, L"Taxi");
    EXPECT_EQ(split.lastName, L"");
    EXPECT_EQ(split.kind, DefaultNumberKind);
    split = SplitSimEntryName(L"Dr/M Smith", labels);  // labels are case-sensitive
    EXPECT_EQ(split.kind, DefaultNumberKind);
    EXPECT_EQ(split.firstName, L"Dr/M");
    // Longer than 47 characters: no names at all.
    split = SplitSimEntryName(String(L'a', 48) + L" b/c", labels);
    EXPECT_TRUE(split.tooLong);
    EXPECT_EQ(split.firstName, L"");
    EXPECT_EQ(split.kind, DefaultNumberKind);

    // What a contact becomes on the SIM comes back as the same names and kind.
    for (int kind = 1; kind <= NumberKindCount; ++kind) {
        split = SplitSimEntryName(ComposeSimName(L"Jürgen", L"Müller", labels.Of(kind), 16), labels);
        EXPECT_EQ(split.kind, kind);
        EXPECT_EQ(split.firstName, L"Jürgen");
        EXPECT_EQ(split.lastName, L"Müller");
    }
}

ContactRow Row(const wchar_t* first, const wchar_t* last, std::initializer_list<std::pair<int, const wchar_t*>> numbers)
{
    String kinds[NumberKindCount];
    for (const auto& [kind, number] : numbers)
        kinds[kind - 1] = KeepNumberCharacters(number);
    return ContactRow::Make(first, L"", last, kinds, NumberKindLabels::Load());
}

TEST(ContactRows, ShowNamedContactsWithTheirReducedNumbers)
{
    ContactList list;
    EXPECT_TRUE(list.Append(Row(L"Ann", L"Lee", {{2, L"(0161) 496-0101"}, {5, L"0161 496 0102"}})));
    EXPECT_FALSE(list.Append(Row(L"No", L"Numbers", {{3, L"ext. -"}})));  // nothing left of the number
    EXPECT_FALSE(list.Append(Row(L"", L"", {{2, L"5550100"}})));
    EXPECT_TRUE(list.Append(Row(L"", L"Pizza", {{7, L"+39 06 555 1234 p 2"}})));
    ASSERT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.LineCount(), 5);
    EXPECT_EQ(list.Row(0).lines[0], L"Ann  Lee");
    EXPECT_EQ(list.Row(0).lines[2], L"01614960101");
    EXPECT_EQ(list.Row(1).lines[7], L"+39065551234p2");
    EXPECT_EQ(list.LineAt(2).line, 5);
    EXPECT_EQ(list.LineAt(4).row, 1);
    EXPECT_EQ(list.LineAt(4).line, 7);
}

TEST(ContactRows, MarkNumbersOneByOneOrByTheirNameLine)
{
    ContactList list;
    list.Append(Row(L"Ann", L"Lee", {{2, L"1"}, {5, L"2"}}));
    list.Append(Row(L"Bob", L"Lee", {{3, L"3"}}));
    EXPECT_FALSE(list.CanCopy());
    list.MoveFocus(0, 3);  // the first line
    list.ToggleFocused();  // the name: both numbers
    EXPECT_EQ(list.MarkedCount(), 2);
    EXPECT_TRUE(list.Row(0).IsMarked(0));
    list.MoveFocus(2, 3);
    list.ToggleFocused();  // the second number off: the name no longer marked
    EXPECT_EQ(list.MarkedCount(), 1);
    EXPECT_FALSE(list.Row(0).IsMarked(0));
    list.MoveFocus(-2, 3);
    list.ToggleFocused();  // the name again: all numbers
    EXPECT_EQ(list.MarkedCount(), 2);
    list.ToggleFocused();  // and off
    EXPECT_EQ(list.MarkedCount(), 0);
    list.MarkAll();
    EXPECT_EQ(list.MarkedCount(), 3);
    EXPECT_TRUE(list.CanCopy());
    list.ClearMarks();
    EXPECT_FALSE(list.CanCopy());

    // A page down scrolls the focus onto the page, clamped at the end.
    list.MoveFocus(3, 3);
    EXPECT_EQ(list.FocusedLine(), 3);
    EXPECT_EQ(list.TopLine(), 1);
    list.MoveFocus(3, 3);
    EXPECT_EQ(list.FocusedLine(), 4);
    EXPECT_EQ(list.TopLine(), 2);
    EXPECT_TRUE(list.Row(1).flags[3] & LineFocused);
    list.MoveFocus(-10, 3);
    EXPECT_EQ(list.TopLine(), 0);
    EXPECT_FALSE(list.Row(1).flags[3] & LineFocused);
}

}  // namespace
