#include "framework/Paths.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/FlashCard.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A handset of its own: a root folder and a device profile naming its cards.
class StorageCards : public ::testing::Test {
protected:
    String Root() const { return m_device.Root().c_str(); }

    // Writes the profile: each card with its state, and its folder when asked.
    void Device(const std::vector<std::pair<std::wstring, bool>>& cards, bool makeFolders = true)
    {
        std::wstring profile;
        for (const auto& [name, inserted] : cards) {
            profile += L"[card:" + name + L"]\r\nstate=" + (inserted ? L"inserted" : L"removed") + L"\r\n";
            if (makeFolders)
                CreateDirectoryW(Root() + L"\\" + name.c_str(), nullptr);
        }
        int size = WideCharToMultiByte(CP_UTF8, 0, profile.c_str(), static_cast<int>(profile.size()), nullptr, 0,
                                       nullptr, nullptr);
        std::string bytes(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, profile.c_str(), static_cast<int>(profile.size()), bytes.data(), size, nullptr,
                            nullptr);
        m_device.WriteProfile(bytes);
    }

    // The cards in the platform's enumeration order.
    static std::vector<std::wstring> Enumerated()
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFlashCard(&data);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            names.push_back(data.cFileName);
        } while (FindNextFlashCard(search, &data));
        FindClose(search);
        return names;
    }

    static std::vector<std::wstring> Names(const StringArray& cards)
    {
        std::vector<std::wstring> names;
        for (const String& card : cards)
            names.push_back(card.Chars());
        return names;
    }

    vellumate::TempDevice m_device;
};

TEST_F(StorageCards, ListsTheInsertedCardsInEnumerationOrder)
{
    Device({{L"Storage Card", true}, {L"Speicherkarte \u00DC", true}, {L"Removed", false}});
    CreateDirectoryW(Root() + L"\\My Documents", nullptr);

    StringArray cards;
    cards.Add(String(L"stale"));
    ListStorageCards(cards);
    std::vector<std::wstring> listed = Names(cards);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed, Enumerated());
    EXPECT_TRUE(std::find(listed.begin(), listed.end(), L"Storage Card") != listed.end());
    EXPECT_TRUE(std::find(listed.begin(), listed.end(), L"Speicherkarte \u00DC") != listed.end());
}

TEST_F(StorageCards, NoCardLeavesTheListEmpty)
{
    Device({{L"Storage Card", false}, {L"Not There", true}}, false);
    CreateDirectoryW(Root() + L"\\Storage Card", nullptr);
    StringArray cards;
    cards.Add(String(L"stale"));
    ListStorageCards(cards);
    EXPECT_EQ(cards.GetSize(), 0);
}

TEST_F(StorageCards, AtMostSixteenAreListed)
{
    std::vector<std::pair<std::wstring, bool>> many;
    for (int i = 0; i < 20; ++i)
        many.emplace_back(L"Card " + std::to_wstring(i), true);
    Device(many);

    StringArray cards;
    ListStorageCards(cards);
    std::vector<std::wstring> all = Enumerated();
    ASSERT_EQ(all.size(), 20u);
    ASSERT_EQ(cards.GetSize(), MaxStorageCards);
    EXPECT_EQ(Names(cards), std::vector<std::wstring>(all.begin(), all.begin() + MaxStorageCards));
}

}  // namespace
