// Number characters, the entry editor's checks, slots and the entry record,
// and the prefix arithmetic of the number commands.
#include "simmanager/EntryRecord.h"
#include "simmanager/NumberRules.h"
#include "simmanager/PhonebookSlot.h"
#include "simmanager/resource.h"

#include "framework/testsupport/StringPrinting.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

TEST(NumberCharacters, NumbersAndTemplatesTakeTheirOwnSets)
{
    EXPECT_EQ(KeepNumberCharacters(L"+49 (30) 123-45 67 ext. w9p"), L"+49301234567w9p");
    EXPECT_TRUE(IsTemplateCharacter(L'x'));
    EXPECT_TRUE(IsTemplateCharacter(L'('));
    EXPECT_FALSE(IsNumberCharacter(L'x'));
    EXPECT_FALSE(IsNumberCharacter(L'\0'));
    EXPECT_FALSE(IsTemplateCharacter(L'\0'));
    EXPECT_FALSE(IsTemplateCharacter(L'/'));
    EXPECT_TRUE(HasMisplacedPlus(L"0+1"));
    EXPECT_FALSE(HasMisplacedPlus(L"+01"));
    EXPECT_FALSE(HasMisplacedPlus(L""));
}

TEST(EntryEditorCheck, ReportsTheFirstProblemInItsOrder)
{
    EXPECT_EQ(CheckEntry(L"a name that is long", L"123456789", 10, 5), IDS_NAME_TOO_LONG);
    EXPECT_EQ(CheckEntry(L"short", L"123456789", 10, 5), IDS_NUMBER_TOO_LONG);
    EXPECT_EQ(CheckEntry(L"short", L"1+2", 10, 5), IDS_PLUS_NOT_FIRST);
    EXPECT_EQ(CheckEntry(L"", L"", 10, 5), IDS_ENTRY_EMPTY);
    EXPECT_EQ(CheckEntry(nullptr, nullptr, 10, 5), IDS_ENTRY_EMPTY);
    EXPECT_EQ(CheckEntry(L"exactly 10", L"+1234", 10, 5), 0u);
    EXPECT_EQ(CheckEntry(L"", L"12", 10, 5), 0u);
}

TEST(Slots, TextsAreCutToTheLimitsAndEqualityIsCaseSensitive)
{
    PhonebookSlot slot(7, 4, 3);
    slot.Set(L"Johnny", L"12345");
    EXPECT_EQ(slot.Name(), L"John");
    EXPECT_EQ(slot.Number(), L"123");
    EXPECT_FALSE(slot.IsEmpty());

    PhonebookSlot same(8, 20, 20);
    same.Set(L"John", L"123");
    EXPECT_TRUE(slot.Equals(same));
    same.SetName(L"john");
    EXPECT_FALSE(slot.Equals(same));
    same.Set(L"John", L"124");
    EXPECT_FALSE(slot.Equals(same));

    slot.SetName(L"");
    EXPECT_FALSE(slot.IsEmpty());
    slot.Clear();
    EXPECT_TRUE(slot.IsEmpty());

    // Figures beyond the record's fields are held to them.
    PhonebookSlot wide(1, 100000, 100000);
    EXPECT_EQ(wide.NameLimit(), MaxEntryTextLength);
    EXPECT_EQ(wide.NumberLimit(), MaxEntryTextLength);
}

TEST(Slots, TheRecordCarriesThePlusInTheTextAndInTheAddressType)
{
    SIMPHONEBOOKENTRY record;
    InitEntryRecord(record);
    EXPECT_EQ(record.cbSize, 1040u);
    EXPECT_EQ(record.dwParams, 15u);
    EXPECT_EQ(record.dwNumPlan, 1u);

    PhonebookSlot slot(1, 20, 20);
    slot.Set(L"Bea International", L"+4930123");
    FillEntryRecord(record, slot);
    EXPECT_EQ(record.dwAddressType, 1u);
    EXPECT_STREQ(record.lpszAddress, L"+4930123");
    EXPECT_STREQ(record.lpszText, L"Bea International");

    slot.Set(L"Al", L"030");
    FillEntryRecord(record, slot);
    EXPECT_EQ(record.dwAddressType, 2u);
    EXPECT_STREQ(record.lpszAddress, L"030");
    EXPECT_EQ(record.lpszAddress[4], L'\0');  // nothing of the longer number before it
    EXPECT_EQ(record.lpszText[5], L'\0');

    // A record whose texts fill their fields without terminators.
    std::wmemset(record.lpszAddress, L'7', MAX_LENGTH_ADDRESS);
    std::wmemset(record.lpszText, L'n', MAX_LENGTH_PHONEBOOKENTRYTEXT);
    PhonebookSlot target(1, 5, 6);
    TakeEntryRecord(target, record);
    EXPECT_EQ(target.Name(), L"nnnnn");
    EXPECT_EQ(target.Number(), L"777777");
}

TEST(Prefixes, RemovingKeepsTheNumbersPlusAndTheZeroOnRequest)
{
    String result;
    ASSERT_TRUE(NumberWithoutPrefix(L"004930", L"0049", true, result));
    EXPECT_EQ(result, L"030");
    ASSERT_TRUE(NumberWithoutPrefix(L"004930", L"0049", false, result));
    EXPECT_EQ(result, L"30");
    ASSERT_TRUE(NumberWithoutPrefix(L"+4930", L"+49", false, result));
    EXPECT_EQ(result, L"30");
    ASSERT_TRUE(NumberWithoutPrefix(L"+4930", L"+49", true, result));
    EXPECT_EQ(result, L"030");
    ASSERT_TRUE(NumberWithoutPrefix(L"+4930", L"49", false, result));
    EXPECT_EQ(result, L"+30");
    EXPECT_FALSE(NumberWithoutPrefix(L"4830", L"49", false, result));
    EXPECT_FALSE(NumberWithoutPrefix(L"4", L"49", false, result));
    EXPECT_FALSE(NumberWithoutPrefix(L"4930", L"", true, result));
}

TEST(Prefixes, AddingPutsThePrefixAfterThePlusAndCanDropTheZero)
{
    EXPECT_EQ(NumberWithPrefix(L"030", L"49", true), L"4930");
    EXPECT_EQ(NumberWithPrefix(L"+030", L"49", true), L"+4930");
    EXPECT_EQ(NumberWithPrefix(L"030", L"49", false), L"49030");
    EXPECT_EQ(NumberWithPrefix(L"", L"49", true), L"49");
    EXPECT_EQ(NumberWithPrefix(L"+030", L"+49", true), L"++4930");  // refused later: "+" not first
}

}  // namespace
