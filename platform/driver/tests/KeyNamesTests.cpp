#include "platform/driver/KeyNames.h"

#include <gtest/gtest.h>

using namespace vellumate;

namespace {

KeyStroke Key(WORD code)
{
    return {KeyStroke::Kind::VirtualKey, code};
}

KeyStroke Char(wchar_t unit)
{
    return {KeyStroke::Kind::Character, static_cast<WORD>(unit)};
}

TEST(KeyNames, NamesTheKeysAsTheHandsetReportsThem)
{
    const std::vector<std::pair<const wchar_t*, WORD>> keys{
        {L"up", VK_UP},        {L"down", VK_DOWN}, {L"left", VK_LEFT}, {L"right", VK_RIGHT},
        {L"enter", VK_RETURN}, {L"soft1", VK_F1},  {L"soft2", VK_F2},  {L"back", VK_ESCAPE},
        {L"talk", VK_F3},      {L"end", VK_F4},    {L"star", VK_F8},   {L"pound", VK_F9},
        {L"0", '0'},           {L"9", '9'},        {L"SOFT1", VK_F1},  {L"Enter", VK_RETURN},
    };
    for (const auto& [name, key] : keys)
        EXPECT_EQ(HandsetKey(name), key) << testing::PrintToString(std::wstring(name));

    for (const wchar_t* unknown : {L"", L"10", L"f1", L"soft3", L"upp", L"a", L"text"})
        EXPECT_FALSE(HandsetKey(unknown)) << testing::PrintToString(std::wstring(unknown));
}

TEST(KeyNames, TypesTextCharacterByCharacter)
{
    const KeyParseResult result = ParseKeys({L"down", L"text:Hi \u00E9!", L"enter", L"text:", L"TEXT:up"});
    EXPECT_TRUE(result.unknownName.empty());
    EXPECT_EQ(result.strokes, (std::vector<KeyStroke>{Key(VK_DOWN), Char(L'H'), Char(L'i'), Char(L' '), Char(L'\u00E9'),
                                                      Char(L'!'), Key(VK_RETURN), Char(L'u'), Char(L'p')}));
}

TEST(KeyNames, OneUnknownNameSpoilsTheWholeList)
{
    const KeyParseResult result = ParseKeys({L"down", L"dwon", L"enter"});
    EXPECT_EQ(result.unknownName, L"dwon");
    EXPECT_TRUE(result.strokes.empty()) << "nothing may be sent";

    EXPECT_EQ(ParseKeys({L"up", L""}).unknownName, L"\"\"");
}

}  // namespace
