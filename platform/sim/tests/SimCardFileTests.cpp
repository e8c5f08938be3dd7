// The card file's text form. Built twice: natively (wchar_t of 32 bits) and
// under Wine (16 bits), so that both must count and convert the same units.
#include "platform/sim/SimCardFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace vellumate::sim;

namespace {

// A face beyond the Basic Multilingual Plane, as the two UTF-16 units the
// platform stores (a wide literal would be one unit where wchar_t has 32 bits).
const std::wstring Face{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};

// Names in several scripts, one beyond the Basic Multilingual Plane (two
// UTF-16 units).
SimCard RichCard()
{
    SimCard card;
    card.notes = {L"# The test handset's card", L"; second note"};
    card.minIndex = 1;
    card.maxIndex = 20;
    card.maxNumberLength = 20;
    card.maxNameLength = 12;
    card.provider = L"Vellum Télé";
    card.providerDisplay = 1;
    card.Phonebook(1)->size = 2;
    card.Phonebook(1)->entries[1] = {L"112", 2, L""};
    card.Phonebook(8)->size = 1;
    card.Phonebook(8)->entries[1] = {L"+441632960000", 1, L"Own"};
    SimPhonebook& general = *card.Phonebook(GeneralStorage);
    general.entries[1] = {L"+441632960001", 1, L"Ånna Müller"};
    general.entries[2] = {L"01632960002p12w3#", 2, L"Γιώργος /m"};
    general.entries[3] = {L"*100#", 2, L"Борис"};
    general.entries[7] = {L"8613800138000", 2, L"王小明 /w"};
    general.entries[8] = {L"0501234567", 2, L"سارة /h"};
    general.entries[20] = {L"", 2, Face + L" face"};
    general.entries[11] = {L"5550100", 0, L"  spaced  "};
    general.faulty = {5, 9};
    return card;
}

std::string Sealed(const std::string& text)
{
    return SealSimCardText(text, ParseSimCard(text, SealCheck::Ignore).card.value_or(SimCard{}).EntryCount());
}

const std::string Header = "[card]\nmin_index=1\nmax_index=10\nnumber_length=8\nname_length=4\n";

}  // namespace

TEST(SimCardFileTest, FormatAndParseRoundTripExactly)
{
    const SimCard card = RichCard();
    ASSERT_EQ(CheckSimCard(card), std::nullopt);
    const std::string text = FormatSimCard(card);
    const SimCardReading reading = ParseSimCard(text);
    ASSERT_TRUE(reading.card) << reading.problem.line;
    EXPECT_EQ(*reading.card, card);
    EXPECT_EQ(FormatSimCard(*reading.card), text);
    EXPECT_NE(text.find("\n7\t8613800138000\t2\t王小明 /w\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nfaulty=5,9\n"), std::string::npos);
    EXPECT_TRUE(text.starts_with("# The test handset's card\n; second note\n\n[card]\n"));
    EXPECT_EQ(text.substr(text.rfind("end ")).substr(0, 6), "end 9 ");
}

TEST(SimCardFileTest, HandWrittenLayoutReadsOnceSealed)
{
    const std::string text = "\xEF\xBB\xBF# top note\r\n"
                             "\r\n"
                             "[ Card ]\r\n"
                             "  Present = YES \r\n"
                             "radio=off\r\n"
                             "max_index = 3\r\n"
                             "provider =  Net \r\n"
                             "# a note that is not kept\r\n"
                             "[phonebook:4]\r\n"
                             "size=2\r\n"
                             "faulty = 1 , 2\r\n"
                             "[phonebook:16]\r\n"
                             "  3\t+1\t1\tx\ty\r\n";  // a tab in the name: refused
    EXPECT_EQ(ParseSimCard(text, SealCheck::Ignore).problem.line, 13);

    std::string good = text;
    good.replace(good.find("\tx\ty"), 4, "\tx y");
    const SimCardReading unsealed = ParseSimCard(good);
    EXPECT_FALSE(unsealed.card);
    EXPECT_EQ(unsealed.problem.line, 14);  // the missing end line

    const SimCardReading reading = ParseSimCard(Sealed(good));
    ASSERT_TRUE(reading.card) << reading.problem.line;
    const SimCard& card = *reading.card;
    EXPECT_TRUE(card.present);
    EXPECT_FALSE(card.radioOn);
    EXPECT_EQ(card.maxIndex, 3u);
    EXPECT_EQ(card.maxNameLength, 16u);  // the default
    EXPECT_EQ(card.provider, L"Net");
    EXPECT_EQ(card.notes, std::vector<std::wstring>{L"# top note"});
    EXPECT_EQ(card.Phonebook(4)->faulty, (std::set<std::uint32_t>{1, 2}));
    EXPECT_EQ(card.Phonebook(GeneralStorage)->entries.at(3), (SimEntry{L"+1", 1, L"x y"}));
    EXPECT_EQ(card.PositionCount(4), 2u);
    EXPECT_FALSE(card.HasPosition(4, 3));
}

TEST(SimCardFileTest, EveryTruncationAndEveryFlippedByteIsRefused)
{
    const std::string text = FormatSimCard(RichCard());
    // The last line end may go: the end line is whole without it.
    ASSERT_TRUE(ParseSimCard(text.substr(0, text.size() - 1)).card);
    for (std::size_t length = 0; length + 1 < text.size(); ++length)
        EXPECT_FALSE(ParseSimCard(text.substr(0, length)).card) << "cut at " << length;
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::string damaged = text;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
        EXPECT_FALSE(ParseSimCard(damaged).card) << "flipped at " << at;
    }
    EXPECT_FALSE(ParseSimCard(text + "more\n").card);
    EXPECT_TRUE(ParseSimCard(text + "\n\r\n").card);
}

TEST(SimCardFileTest, BrokenRulesNameTheirLine)
{
    struct Case {
        std::string body;  // after Header (5 lines)
        int line;
        std::wstring says;
    };
    const Case cases[] = {
        {"[phonebook:16]\n1\t123\t2\tabcde\n", 7, L"longer than 4"},
        {"[phonebook:16]\n1\t123456789\t2\tab\n", 7, L"longer than 8"},
        {"[phonebook:16]\n1\t12+3\t2\tab\n", 7, L"'+' only first"},
        {"[phonebook:16]\n1\t12a\t2\tab\n", 7, L"0-9"},
        {"[phonebook:16]\n1\t\t2\t\n", 7, L"number or a name"},
        {"[phonebook:16]\n1\t1\t7\tab\n", 7, L"address type"},
        {"[phonebook:16]\n11\t1\t2\tab\n", 7, L"outside [phonebook:16] (positions 1 to 10)"},
        {"[phonebook:16]\n0\t1\t2\tab\n", 7, L"outside"},
        {"[phonebook:16]\n2\t1\t2\ta\n2\t1\t2\tb\n", 8, L"appears twice"},
        {"[phonebook:16]\n2\t1\t2\n", 7, L"separated by tabs"},
        {"[phonebook:16]\nx\t1\t2\ta\n", 7, L"not a setting"},
        {"[phonebook:16]\nsize=10\n", 7, L"index range"},
        {"[phonebook:2]\nsize=2\n3\t1\t2\ta\n", 8, L"outside [phonebook:2] (positions 1 to 2)"},
        {"[phonebook:2]\nsize=2\nfaulty=1,3\n", 8, L"faulty position 3"},
        {"[phonebook:2]\nfaulty=1;3\n", 7, L"separated by commas"},
        {"[phonebook:3]\n", 6, L"1, 2, 4, 8 or 16"},
        {"[sms]\n", 6, L"not a section"},
        {"[card]\n", 6, L"appears twice"},
        {"colour=red\n", 6, L"not a setting of [card]: colour"},
        {"radio=maybe\n", 6, L"on or off"},
        {"provider=Sixteen chars long!\n", 6, L"at most 16"},
        {"provider=Ωmega\n", 6, L"Latin-1"},
        {"provider_display=256\n", 6, L"0 to 255"},
        {"Max_Index=0\n", 6, L"appears twice"},
        {"1\t1\t2\ta\n", 6, L"outside a [phonebook:N]"},
        {"provider=\xC3\x28\n", 6, L"not UTF-8"},
    };
    for (const Case& c : cases) {
        const SimCardReading reading = ParseSimCard(Sealed(Header + c.body));
        EXPECT_FALSE(reading.card) << c.body;
        EXPECT_EQ(reading.problem.line, c.line) << c.body;
        EXPECT_NE(reading.problem.text.find(c.says), std::wstring::npos) << c.body;
    }
    // Figures out of range are named at their own line.
    const SimCardReading range = ParseSimCard(Sealed("[card]\nmin_index=5\nmax_index=4\n"));
    EXPECT_EQ(range.problem.line, 3);
    EXPECT_EQ(ParseSimCard(Sealed("[card]\nname_length=256\n")).problem.line, 2);
    EXPECT_EQ(ParseSimCard(Sealed("[card]\nmax_index=99999999999\n")).problem.line, 2);
    EXPECT_EQ(ParseSimCard(Sealed("setting=1\n")).problem.line, 1);
}

TEST(SimCardFileTest, LimitsCountUtf16UnitsAndAcceptTheirEdges)
{
    SimCard card;
    card.minIndex = card.maxIndex = 7;  // a card of a single position
    card.maxNameLength = 3;
    card.maxNumberLength = 3;
    SimPhonebook& general = *card.Phonebook(GeneralStorage);
    general.entries[7] = {L"+12", 1, L"a" + Face};  // three units, the most there may be
    ASSERT_EQ(CheckSimCard(card), std::nullopt);
    EXPECT_EQ(ParseSimCard(FormatSimCard(card)).card, card);

    EXPECT_EQ(CheckEntry(card, {L"+12", 1, L"ab" + Face}), EntryFault::NameTooLong);
    EXPECT_EQ(CheckEntry(card, {L"+123", 1, L""}), EntryFault::NumberTooLong);
    EXPECT_EQ(CheckEntry(card, {L"1", 2, L"a\nb"}), EntryFault::BadName);
    EXPECT_EQ(CheckEntry(card, {L"1", 2, std::wstring(1, static_cast<wchar_t>(0xD800))}), EntryFault::BadName);
    EXPECT_EQ(CheckEntry(card, {L"++1", 1, L""}), EntryFault::BadNumber);
    EXPECT_EQ(CheckEntry(card, {L"1P", 2, L""}), EntryFault::BadNumber);
    EXPECT_EQ(CheckEntry(card, {L"p*#", 2, L""}), EntryFault::None);

    general.entries[8] = {L"1", 2, L"x"};
    EXPECT_NE(CheckSimCard(card), std::nullopt);
}

TEST(SimCardFileTest, TextConversionIsStrict)
{
    EXPECT_EQ(Utf16FromUtf8("\xC0\xAF"), std::nullopt);          // overlong '/'
    EXPECT_EQ(Utf16FromUtf8("\xED\xA0\x80"), std::nullopt);      // a surrogate
    EXPECT_EQ(Utf16FromUtf8("\xF4\x90\x80\x80"), std::nullopt);  // past U+10FFFF
    EXPECT_EQ(Utf16FromUtf8("\xE2\x82"), std::nullopt);          // cut short
    EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x98\x80"), Face);
    EXPECT_EQ(Utf8FromUtf16(std::wstring(1, static_cast<wchar_t>(0xDC00))), std::nullopt);
    EXPECT_EQ(Utf8FromUtf16(Face), std::string("\xF0\x9F\x98\x80"));
    EXPECT_EQ(Utf8FromUtf16(L"\u00E9\u4E2D"), std::string("\xC3\xA9\xE4\xB8\xAD"));
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
}
