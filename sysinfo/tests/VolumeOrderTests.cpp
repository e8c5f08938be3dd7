#include "sysinfo/VolumeOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Order(const std::vector<const wchar_t*>& cards, const wchar_t* personal)
{
    std::vector<String> names(cards.begin(), cards.end());
    std::vector<std::wstring> ordered;
    for (const String& name : OrderVolumes(names, personal))
        ordered.emplace_back(name.Chars(), name.Length());
    return ordered;
}

}  // namespace

TEST(VolumeOrderTest, PersonalFolderOnTheSecondVolumeMovesItFirst)
{
    EXPECT_EQ(Order({L"Storage Card", L"Storage"}, L"\\Storage\\My Documents"),
              (std::vector<std::wstring>{L"Storage", L"Storage Card"}));
}

TEST(VolumeOrderTest, OthersKeepTheirCyclicOrderBehindIt)
{
    EXPECT_EQ(Order({L"A", L"B", L"C", L"D"}, L"\\C\\My Documents"),
              (std::vector<std::wstring>{L"C", L"D", L"A", L"B"}));
}

TEST(VolumeOrderTest, MatchesWholeFolderNamesInAnyCase)
{
    // "\Storage\" is no prefix of "\Storage Card\...".
    EXPECT_EQ(Order({L"Storage", L"Storage Card"}, L"\\Storage Card\\My Documents"),
              (std::vector<std::wstring>{L"Storage Card", L"Storage"}));
    EXPECT_EQ(Order({L"Card", L"FLASH"}, L"\\flash\\My Documents"), (std::vector<std::wstring>{L"FLASH", L"Card"}));
    // The volume's name must be followed by a separator.
    EXPECT_EQ(Order({L"Card", L"Flash"}, L"\\Flash"), (std::vector<std::wstring>{L"", L"Card", L"Flash"}));
}

TEST(VolumeOrderTest, PersonalFolderOnTheRootPutsTheRootFirst)
{
    EXPECT_EQ(Order({L"Storage Card"}, L"\\My Documents"), (std::vector<std::wstring>{L"", L"Storage Card"}));
    EXPECT_EQ(Order({L"B", L"A"}, L"\\My Documents"), (std::vector<std::wstring>{L"", L"B", L"A"}));
    EXPECT_EQ(Order({}, L"\\My Documents"), (std::vector<std::wstring>{L""}));
    EXPECT_EQ(Order({L"Card"}, nullptr), (std::vector<std::wstring>{L"", L"Card"}));
}

TEST(VolumeOrderTest, VolumeFolders)
{
    EXPECT_STREQ(VolumeFolder(L"Storage Card"), L"\\Storage Card");
    EXPECT_STREQ(VolumeFolder(RootVolume), L"\\");
}
