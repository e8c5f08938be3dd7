// The tool's changes of a card's figures and what it prints about a card.
#include "platform/sim/tool/SimCardEdits.h"
#include "platform/sim/tool/SimCardReport.h"

#include <gtest/gtest.h>

using namespace vellumate::sim;

namespace {

SimCard CardWithEntries()
{
    SimCard card;
    card.maxIndex = 20;
    card.maxNameLength = 10;
    card.provider = L"Vellum";
    SimPhonebook& general = *card.Phonebook(GeneralStorage);
    general.entries[1] = {L"+441632960001", 1, L"Anna /m"};
    general.entries[12] = {L"0123", 2, L"Борис"};
    general.entries[18] = {L"0456", 2, L"Ζωή Παπά"};
    general.faulty = {19};
    card.Phonebook(1)->size = 1;
    card.Phonebook(1)->entries[1] = {L"112", 2, L""};
    return card;
}

}  // namespace

TEST(SimToolTest, ShrinkingNeverDropsEntries)
{
    SimCard card = CardWithEntries();
    const SimCard before = card;

    std::optional<std::wstring> refused = ChangeFigures(card, {.capacity = 15});
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find(L"18 \"Ζωή Παπά\""), std::wstring::npos);
    EXPECT_EQ(refused->find(L"12 "), std::wstring::npos);
    EXPECT_EQ(card, before);

    refused = ChangeFigures(card, {.capacity = 30, .nameLength = 5});
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find(L"Anna /m"), std::wstring::npos);
    EXPECT_NE(refused->find(L"Ζωή Παπά"), std::wstring::npos);
    EXPECT_EQ(card, before);  // all or nothing: the capacity stays too
    EXPECT_TRUE(ChangeFigures(card, {.numberLength = 4}));
    EXPECT_TRUE(ChangeFigures(card, {.capacity = 0}));
    EXPECT_TRUE(ChangeFigures(card, {.nameLength = 256}));

    // Down to the last entry: allowed, and a faulty position past it is forgotten.
    EXPECT_EQ(ChangeFigures(card, {.capacity = 18, .nameLength = 8, .numberLength = 13}), std::nullopt);
    EXPECT_EQ(card.maxIndex, 18u);
    EXPECT_EQ(card.maxNameLength, 8u);
    EXPECT_TRUE(card.Phonebook(GeneralStorage)->faulty.empty());
    EXPECT_EQ(card.Phonebook(GeneralStorage)->entries.size(), 3u);
    EXPECT_EQ(CheckSimCard(card), std::nullopt);
}

TEST(SimToolTest, ShowListsEveryEntryOfEveryPhonebook)
{
    const std::string shown = DescribeCard(CardWithEntries());
    EXPECT_NE(shown.find("card:      inserted, radio on\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("positions 1 to 20 (20), names of 10, numbers of 40 characters"), std::string::npos);
    EXPECT_NE(shown.find("provider:  Vellum (display byte 0)\n"), std::string::npos);
    EXPECT_NE(shown.find("phonebook 16 (general): 3 of 20 positions used\n"), std::string::npos);
    EXPECT_NE(shown.find("\n     1  +441632960001         Anna /m\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\n    12  0123                  Борис\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("  faulty positions: 19\n"), std::string::npos);
    EXPECT_NE(shown.find("phonebook 1 (emergency numbers): 1 of 1 positions used\n     1  112\n"), std::string::npos);
    EXPECT_EQ(SummarizeCard(CardWithEntries()), "inserted, radio on, 3 of 20 positions used, provider Vellum");
}
